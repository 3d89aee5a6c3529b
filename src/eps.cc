// The document's lines, W and H being the picture's width and height and P the width padded to
// whole bytes (8 times RowBytes); every line ends in CR LF:
//
//   %!PS-Adobe-2.0 EPSF-2.0
//   %%Title:BMP->EPS
//   %%Creator:TORVI
//   %%BoundingBox:10 10 <W+10> <H+10>
//   %%EndComments
//   gsave
//   10 10 translate
//   <P> <H> scale
//   /BMPF
//   <
//   one line per row, bottom row first: 2 x RowBytes upper-case hexadecimal digits
//   >def
//   <P> <H> 1 [<P> 0 0 <H> 0 0] {BMPF} image
//   grestore
//   showpage
//
// A sample bit is 1 for white; the fill samples after the last pixel of a row are white.
#include "eps.h"

#include <string>

#include "failure.h"

namespace {

void Line(TextFile& out, const std::string& text) {
  out.Write(text);
  out.WriteLn();
  InOutCheck();
}

// "00" to "FF", two bytes a byte value.
struct HexTable {
  char pair[256][2];
  HexTable() {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int v = 0; v < 256; ++v) {
      pair[v][0] = kDigits[v >> 4];
      pair[v][1] = kDigits[v & 15];
    }
  }
};

void HexLine(TextFile& out, const uint8_t* row, size_t bytes) {
  static const HexTable hex;
  const size_t chunk = out.BufferSize() / 2;  // bytes of the row encoded per reservation
  while (bytes > 0) {
    size_t n = bytes < chunk ? bytes : chunk;
    char* p = out.Reserve(2 * n);
    if (!p) break;
    for (size_t i = 0; i < n; ++i, p += 2) {
      p[0] = hex.pair[row[i]][0];
      p[1] = hex.pair[row[i]][1];
    }
    out.Commit(2 * n);
    row += n;
    bytes -= n;
  }
  out.WriteLn();
  InOutCheck();
}

}  // namespace

void WriteDocument(const Picture& picture, TextFile& out) {
  const int32_t w = picture.Width(), h = picture.Height();
  const std::string p = std::to_string(8 * static_cast<int64_t>(picture.RowBytes()));
  const std::string hs = std::to_string(h);
  Line(out, "%!PS-Adobe-2.0 EPSF-2.0");
  Line(out, "%%Title:BMP->EPS");
  Line(out, "%%Creator:TORVI");
  Line(out, "%%BoundingBox:10 10 " + std::to_string(int64_t{w} + 10) + " " +
                std::to_string(int64_t{h} + 10));
  Line(out, "%%EndComments");
  Line(out, "gsave");
  Line(out, "10 10 translate");
  Line(out, p + " " + hs + " scale");
  Line(out, "/BMPF");
  Line(out, "<");
  for (int32_t i = 0; i < h; ++i)
    HexLine(out, picture.Stored(i), static_cast<size_t>(picture.RowBytes()));
  Line(out, ">def");
  Line(out, p + " " + hs + " 1 [" + p + " 0 0 " + hs + " 0 0] {BMPF} image");
  Line(out, "grestore");
  Line(out, "showpage");
  out.Close();
  InOutCheck();
}
