#pragma once

class QLineEdit;

namespace tarvel {

// Keeps a line edit's text within a number of bytes as stored (UTF-8), never cutting inside a
// character: typing beyond the limit is refused and a longer paste is cut to it.
void LimitTextBytes(QLineEdit* edit, int bytes);

} // namespace tarvel
