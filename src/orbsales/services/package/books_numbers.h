#pragma once

#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// The books' checks of document numbers, one text per breach. No operation checks whether a
// number is free, and saving under a number that is taken rewrites that document, so:
// - no number is held by two master rows of one kind of document;
// - no detail line stands under a final number no master row of its kind holds (a lost line;
//   lines left under a temporary number are half-done work, books_halfdone.h), and no document
//   holds two lines with one serial;
// - each counter (Document_Prefix) stands above every identity its documents' final numbers
//   carry, so that the next number it gives is free.
void checkDocumentNumbers(Connection &connection, QStringList &breaches);

} // namespace package
} // namespace orbsales
