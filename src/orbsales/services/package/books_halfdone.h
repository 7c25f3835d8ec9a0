#pragma once

#include <QList>
#include <QString>
#include <vector>

namespace orbsales {
class Connection;
namespace package {

// Documents whose work stopped part-way. Without the all-or-nothing switch the package leaves
// completed steps written when a later step fails or the program is stopped, so these are states
// the documents' own rules allow; `orbsales verify` lists them apart from the breaches of the
// books, each with the document and what is missing.
struct HalfDoneDocument {
    QString document; // "Order 01HOSOR5", "Order lines under 01HOSORTMP3", "Item 01A100 in branch HO"
    QString missing;  // what the work left undone
    QString text() const { return document + QStringLiteral(": ") + missing; }
};

// The tables of a document type: a master row and its lines under one document number.
struct DocumentTables {
    const char *document; // as messages name it: "Order"
    const char *master;
    const char *detail;
    const char *number;    // the document number column of both tables
    const char *processed; // the processed flag of the master; nullptr when the type has none
    // A master row may stand without lines (a customer's opening balance is an invoice without
    // lines): only lines without their master are looked for.
    bool mayHaveNoLines = false;
};

// A document a later one marks (processed, delivered, ...) when it is raised from it: the mark
// with nothing that refers to the document is work stopped between the two writes.
struct SourceMark {
    const char *document; // "Quotation"
    const char *master;   // its master table
    const char *number;   // its document number column
    const char *mark;     // the flag the later document sets
    const char *marked;   // as messages say it: "processed"
    struct Referrer {
        const char *document; // "order"
        const char *table;    // master table of the later document
        const char *column;   // where it names the source
    };
    std::vector<Referrer> referrers; // any one of them is enough
};

// One check over the whole database. Each document type adds its rows to the tables in
// books_halfdone.cpp, and a check of its own (a document processed without its postings) to
// halfDoneChecks(), in a file of its own (books_halfdone_<subsystem>.cpp).
using HalfDoneCheck = void (*)(Connection &connection, QList<HalfDoneDocument> &found);

const std::vector<DocumentTables> &documentTables();
const std::vector<SourceMark> &sourceMarks();
const std::vector<HalfDoneCheck> &halfDoneChecks();

// Every half-done document, in the order of the checks; empty when there is none.
QList<HalfDoneDocument> findHalfDoneDocuments(Connection &connection);

// The checks the tables above drive, and the orders' own.
void findLinesOfNoDocument(Connection &connection, QList<HalfDoneDocument> &found);
void findDocumentsWithoutLines(Connection &connection, QList<HalfDoneDocument> &found);
void findMarksWithoutReferrer(Connection &connection, QList<HalfDoneDocument> &found);
void findOrderedQuantitiesNotMoved(Connection &connection, QList<HalfDoneDocument> &found);
void findOpeningBalancesWithoutReceivable(Connection &connection, QList<HalfDoneDocument> &found);

} // namespace package
} // namespace orbsales
