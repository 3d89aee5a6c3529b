// torvi: converts a bitmap picture (BMP) into a black-and-white Encapsulated PostScript document.
//
//   torvi              prints the banner
//   torvi BMP          writes BMP's name with the extension .eps
//   torvi BMP EPS      writes EPS (further arguments are ignored)
//
// Exit status 0 after the banner or a finished document; 1 after a failure, which is reported on
// standard output.
#include <new>
#include <string>
#include <vector>

#include "command_line.h"
#include "eps.h"
#include "failure.h"
#include "file.h"
#include "file_name.h"
#include "messages.h"
#include "picture/load.h"
#include "process.h"

namespace {

// The output's buffer: large writes, one per buffer.
constexpr size_t kOutputBuffer = size_t{1} << 20;

void Run(const std::vector<std::string>& args) {
  if (args.empty()) {
    TextFile& out = StdOut();
    for (const char* line : msg::kBanner) {
      out.Write(line);
      out.WriteLn();
      InOutCheck();
    }
    out.Flush();
    InOutCheck();
    return;
  }
  const std::string& SourcePath = args[0];
  const std::string TargetPath = args.size() == 1 ? ChangeFileExt(SourcePath, ".eps") : args[1];

  // The picture is loaded and reduced before the output exists: a failure here leaves any file of
  // the output's name as it was.
  const Picture picture = LoadPicture(SourcePath);

  TextFile out(kOutputBuffer);
  out.Assign(TargetPath);
  out.Rewrite();
  InOutCheck();
  WriteDocument(picture, out);
}

}  // namespace

int main(int argc, char** argv) {
  StartUp();
  try {
    try {
      Run(Arguments(argc, argv));
    } catch (const std::bad_alloc&) {
      RaiseOutOfMemory();
    }
  } catch (const Exception& failure) {
    ReportFailure(failure);
    return 1;
  }
  return 0;
}
