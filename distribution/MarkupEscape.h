#pragma once
// Procedure texts inside the exported SVG and HTML files. An author may write
// anything in a node ("<", "&", quotes, even "</script>"), and none of it may
// change the structure of the file it is put in.

#include <string>
#include <string_view>

#include "files/SinkBuffer.h"

namespace velmora {

// A writer's text gathered into a string, for the texts made once.
template <typename Write>
std::string Gathered(Write write) {
  StringSink sink;
  SinkBuffer out(sink);
  write(out);
  out.Flush();
  return sink.Bytes();
}

// Appends UTF-8 text escaped for XML and HTML, as element content and as a
// quoted attribute value alike: & < > " ' become references. Control
// characters that XML 1.0 forbids (all below 0x20 but TAB, LF and CR) become
// U+FFFD, so the file stays well-formed whatever the text held.
void AppendMarkupEscaped(SinkBuffer& out, std::string_view utf8);
std::string MarkupEscaped(std::string_view utf8);
// The same for a CP932 text of the procedure, converted to UTF-8 on the way.
void AppendMarkupCp932(SinkBuffer& out, std::string_view cp932);
std::string MarkupCp932(std::string_view cp932);

// Appends a whole number in decimal: the pages of a large procedure hold
// millions of them.
void AppendDecimal(SinkBuffer& out, long long value);
// Writes `value` in decimal from `at` (room for 20 digits) and returns the
// end of what it wrote: a number with a sign or a fraction is formed in place
// around it.
char* WriteDecimalDigits(char* at, unsigned long long value);

// Appends UTF-8 text as a JSON string literal (with its quotes) that is also
// safe inside an HTML <script> element: < > & are written as \u escapes, so no
// text can close the element, and U+2028/U+2029 are escaped for older
// JavaScript engines.
void AppendScriptString(SinkBuffer& out, std::string_view utf8);
std::string ScriptString(std::string_view utf8);

}  // namespace velmora
