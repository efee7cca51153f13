#pragma once
// The exports of the distribution menu: every path as a text table, the
// procedure as a diagram (SVG), as a player for a browser (HTML) and as a
// book to print (HTML). They
// go as Generate goes: a save dialog proposes the document's name with the
// export's extension, the file is written in one step (a failure leaves an
// older file as it was and raises the file system's cannot-create error for
// the general error report), and the author is told where it went and
// offered its folder. Cancel writes nothing. The document itself (its name,
// its changes, the recent files) is left alone.

#include <string>

#include "distribution/GenerateCommand.h"
#include "document/Editor.h"
#include "files/FileDialogPort.h"

namespace velmora {

enum class ExportFormat {
  PathTable,   // every path through the procedure, as text (CP932, CR LF)
  Diagram,     // the tree drawn top-down, as SVG
  HtmlPlayer,  // the procedure run in a browser, as one HTML file
  Book,        // the procedure as a numbered book to print, as one HTML file
};

// The save dialog of `format`, without a proposal yet.
FileDialogRequest ExportDialog(ExportFormat format);

// Asks for the file and writes the open document there as `format`; the
// messages are captioned `caption`. Returns whether a file was written.
bool ExportDocument(ExportFormat format, const Editor& editor, const GeneratePorts& ports, const std::string& caption);

}  // namespace velmora
