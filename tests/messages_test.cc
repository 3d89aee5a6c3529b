// The texts are Shift JIS bytes in the source; here they are checked against their UTF-8 wording.
#include "messages.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

std::string ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "(no CP932 converter)";
  std::string in = utf8, out(utf8.size() * 2 + 8, '\0');
  char* ip = in.data();
  char* op = out.data();
  size_t il = in.size(), ol = out.size();
  iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  out.resize(out.size() - ol);
  return out;
}

TEST(Messages, ShiftJisBytes) {
  struct Case {
    std::string bytes;
    const char* utf8;
  } cases[] = {
      {msg::kBanner[0], "TORVI(Version1.1)"},
      {msg::kBanner[1], "ヌレト"},
      {msg::kBanner[2], ""},
      {msg::kBanner[3], "torvi.exe BMP EPS"},
      {msg::kBanner[4], "BMPファイルをEPSファイルに変換します。"},
      {msg::kBanner[5], "ただし、白黒画像になります。"},
      {msg::kReportModule, "がモジュール "},
      {msg::kReportAt, " の "},
      {msg::kReportRaised, " で発生しました。"},
      {std::string(msg::kFOpenBefore) + "a.bmp" + msg::kFOpenAfter, "ファイル a.bmp は開けません"},
      {msg::kReadError, "ストリームからの読み込みエラー"},
      {msg::kInvalidGraphic, "ビットマップイメージが不正です"},
      {msg::kWin32Error, "Win32 エラー。コード : "},
      {msg::kOutOfResources, "システム リソースが足りません"},
      {msg::kOutOfMemory, "メモリが足りません"},
      {msg::kInvalidOperation, "Canvas に対する描画ができません"},
      {msg::InOutMessage(2), "ファイルが見つかりません"},
      {msg::InOutMessage(3), "不正なファイル名です"},
      {msg::InOutMessage(4), "オープンしたファイルが多すぎます"},
      {msg::InOutMessage(5), "ファイルへのアクセスが拒否されました"},
      {msg::InOutMessage(100), "ファイルの末尾以降を読み込みました"},
      {msg::InOutMessage(101), "ディスクがいっぱいです"},
      {msg::InOutMessage(106), "入力値が数値ではありません"},
      {msg::InOutMessage(112), "I/O エラー (112)"},
      {msg::SystemMessage(8), "このコマンドを実行するのに十分な記憶域がありません。\r\n"},
      {msg::SystemMessage(87), "パラメーターが間違っています。\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.bytes, ToCp932(c.utf8)) << c.utf8;
}

}  // namespace
