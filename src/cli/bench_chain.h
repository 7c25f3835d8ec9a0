#pragma once

#include <QString>
#include <QTextStream>

namespace orbsales {
class Connection;
namespace cli {

// The whole chain a sale goes through, timed as one: an order of 10 lines created and processed,
// a delivery of all its lines created and processed online, and an invoice of that delivery
// created and processed online, all on the front end's open connection.

// Who makes chains at once: each client in a branch of the demo company of its own, for a
// customer of its own.
inline constexpr int kChainClients = 2;
struct ChainClient {
    QString branch;
    QString customer;
};
ChainClient chainClient(int index);

// The chains' items, stock and customers, added once per database.
void prepareChains(Connection &connection);
// One chain; throws OrbError when an object answers False.
void runChain(Connection &connection, const QString &db, const ChainClient &client);

// What the chain measurement is given by the bench command.
struct ChainBench {
    QTextStream &out;
    QTextStream &err;
    QString db;      // the database it works on, set up by init
    QString freshLabel; // "fresh database", or "before pre-filling" on the user's database
    int rows;        // pre-filled rows per line table
    int count;       // chains per figure
};
// Chains per second one commit per statement and all or nothing, fresh and after pre-filling,
// each against the bare replay of its statements; on PostgreSQL also with two clients at once.
void benchChains(const ChainBench &bench);

} // namespace cli
} // namespace orbsales
