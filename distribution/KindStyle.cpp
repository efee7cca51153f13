#include "distribution/KindStyle.h"

#include "document/TextRules.h"

namespace velmora {

KindStyle StyleOfKind(int kind) {
  switch (kind) {
    case Question: return {"question", "icon-question"};
    case Information: return {"information", "icon-information"};
    case Exclaimation: return {"exclamation", "icon-exclamation"};
    case Inhibit: return {"inhibit", "icon-inhibit"};
    default: return {"unset", ""};
  }
}

int DialogKindOf(int kind) {
  return kind == Question || kind == Exclaimation || kind == Inhibit ? kind : Information;
}

std::string_view KindIconSymbols() {
  return "<symbol id=\"icon-question\" viewBox=\"0 0 20 20\">"
         "<path d=\"M10 1.5a8.5 7.5 0 1 0 0.1 0Z M5 14.5 L3 19 L9.5 15.5Z\" fill=\"#2b6cc4\"/>"
         "<text x=\"10\" y=\"13.5\" text-anchor=\"middle\" font-size=\"12\" font-weight=\"bold\" "
         "font-family=\"sans-serif\" fill=\"#fff\">?</text></symbol>"
         "<symbol id=\"icon-information\" viewBox=\"0 0 20 20\">"
         "<path d=\"M10 1.5a8.5 7.5 0 1 0 0.1 0Z M5 14.5 L3 19 L9.5 15.5Z\" fill=\"#2b6cc4\"/>"
         "<text x=\"10\" y=\"13.5\" text-anchor=\"middle\" font-size=\"12\" font-weight=\"bold\" "
         "font-family=\"serif\" fill=\"#fff\">i</text></symbol>"
         "<symbol id=\"icon-exclamation\" viewBox=\"0 0 20 20\">"
         "<path d=\"M10 1.5 L19 18.5 H1Z\" fill=\"#f4c20d\" stroke=\"#8a6d00\" stroke-width=\"1\" "
         "stroke-linejoin=\"round\"/>"
         "<rect x=\"9\" y=\"6.5\" width=\"2\" height=\"6.5\" fill=\"#000\"/>"
         "<rect x=\"9\" y=\"14.5\" width=\"2\" height=\"2\" fill=\"#000\"/></symbol>"
         "<symbol id=\"icon-inhibit\" viewBox=\"0 0 20 20\">"
         "<circle cx=\"10\" cy=\"10\" r=\"9\" fill=\"#d93025\"/>"
         "<path d=\"M6.5 6.5 L13.5 13.5 M13.5 6.5 L6.5 13.5\" stroke=\"#fff\" stroke-width=\"2.4\" "
         "stroke-linecap=\"round\"/></symbol>";
}

std::string_view KindBoxStyles() {
  return ".node rect{stroke-width:1.5}"
         ".question rect{fill:#eaf1fb;stroke:#2b6cc4}"
         ".information rect{fill:#eef7ee;stroke:#3d8b40}"
         ".exclamation rect{fill:#fff7dc;stroke:#b08600}"
         ".inhibit rect{fill:#fdecea;stroke:#d93025}"
         ".unset rect{fill:#fff;stroke:#888;stroke-dasharray:4 3}"
         ".unreachable{opacity:0.45}"
         ".unreachable rect{fill:#eee;stroke:#999}";
}

}  // namespace velmora
