#include "document/KindNames.h"

#include "document/TextRules.h"

namespace velmora {

std::string_view KindName(int kind) {
  switch (kind) {
    // 確認
    case Question: return "\x8a\x6d\x94\x46";
    // 通知
    case Information: return "\x92\xca\x92\x6d";
    // 強調
    case Exclaimation: return "\x8b\xad\x92\xb2";
    // 禁止
    case Inhibit: return "\x8b\xd6\x8e\x7e";
    default: break;
  }
  // 未設定
  return "\x96\xa2\x90\xdd\x92\xe8";
}

}  // namespace velmora
