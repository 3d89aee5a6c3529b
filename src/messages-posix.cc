// System texts on POSIX: the few system error numbers the program can report with a text, worded
// as a Japanese Windows system words them.
#include "messages.h"

namespace msg {

std::string SystemMessage(int code) {
  switch (code) {
    case 8:  // このコマンドを実行するのに十分な記憶域がありません。
      return "\202\261\202\314\203R\203}\203\223\203h\202\360\216\300\215s\202\267\202\351\202\314"
             "\202\311\217\134\225\252\202\310\213L\211\257\210\346\202\252\202\240\202\350\202\334"
             "\202\271\202\361\201B\r\n";
    case 87:  // パラメーターが間違っています。
      return "\203p\203\211\203\201\201[\203^\201[\202\252\212\324\210\341\202\301\202\304\202\242"
             "\202\334\202\267\201B\r\n";
  }
  return "";
}

}  // namespace msg
