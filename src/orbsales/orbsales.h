#pragma once

// OrbSales for a front end: everything a desktop front end needs, in one include.
//
//     find_package(OrbSales 0.1 REQUIRED)                  # CMake
//     target_link_libraries(app PRIVATE OrbSales::orbsales) # headers, C++20, Qt 6 Core + Sql
//
//     #include <orbsales/orbsales.h>
//
// The contract, piece by piece:
//
// Creating an object. Every business object is created by its identifier, "OrbSales.<Class>"
// ("OrbSales.SalesQuotation", "OrbSales.SalesOrder", "OrbSales.Customer", ...), through the
// registry (orbsales/frame/registry.h). Each request hands out a fresh object that the caller
// owns; objects share no state. `orbsales describe` lists the identifiers.
//
//     std::unique_ptr<QObject> quotation = orbsales::Registry::instance().create("OrbSales.SalesQuotation");
//
// The registrations are made by Registry::instance() itself, not by static initialisers, so
// they survive a static link: an object can be created right after linking.
//
// Properties and operations by name. Every property is a Q_PROPERTY and every operation a
// Q_INVOKABLE under the package's own names, misspellings included. Set and read properties
// with QObject::setProperty / property; call an operation with QMetaObject::invokeMethod. Every
// operation returns bool; when it answers false, the object's ErrDesc property says why.
// ErrDesc is never cleared by a success. Properties store what they are given, unchecked: every
// check happens when an operation runs.
//
//     quotation->setProperty("CompanyPrefix", "01");
//     bool ok = false;
//     QMetaObject::invokeMethod(quotation.get(), "Create_Quotation", Q_RETURN_ARG(bool, ok));
//     if (!ok) qWarning() << quotation->property("ErrDesc").toString();
//
// `orbsales describe --json` prints every class with its properties (type, access) and
// operations (arguments, optional and by-reference marks), to generate bindings from.
//
// A C++ caller may use a class through its own header instead ("orbsales/orders/
// sales_quotation.h", "orbsales/orders/sales_order.h", "orbsales/customers/customer.h", ...):
// the same members as ordinary functions, e.g. setCompanyPrefix("01"), Create_Quotation(),
// ErrDesc(). Registry::make<T>(identifier) creates by identifier and hands back the class.
//
// Grids. A document's lines pass through the grid property of its class (QuotationGrid,
// OrderGridName, GridName, ...): an object offering the six operations of LineGrid
// (orbsales/grid/line_grid.h). Row 0 is the header row and column 0 is never used; the object
// keeps a pointer to the grid, does not own it, and what an operation writes is at once the
// caller's. A Qt front end hands in its own table model through ModelGrid
// (orbsales/grid/model_grid.h); MemoryGrid (orbsales/grid/memory_grid.h) is a grid in memory.
// Pass a grid as QVariant::fromValue<orbsales::LineGrid *>(grid).
//
// Connections. A class either opens its own connection from its connection-string property
// (ADOConnectionString) for the length of one operation, or works on an open connection the
// caller hands in (AdoConnectionObject: QVariant::fromValue<orbsales::Connection *>(c)), which it
// never closes. A Connection (orbsales/data/connection.h) opens a SQLite file ("company.db",
// "sqlite:/path") or a PostgreSQL database ("postgresql://user:pw@host/db") from one string.
// A new database gets its tables from orbsales::schema::Schema::instance().apply(connection)
// (orbsales/data/schema.h), which also brings an older database forward; `orbsales init` does
// that and adds a demonstration company.
//
// Notifications. What the package would have shown in a message box is the notification
// signal of BusinessObject (orbsales/frame/business_object.h): message, title, buttons, icon.
// Connect to it to show it; the library never waits for an answer.
//
// Errors. Operations report failures through their bool result and ErrDesc. Creating an
// unknown identifier throws orbsales::OrbError (orbsales/values/errors.h), as do the few calls
// documented to let an error through.
//
// Threads. The library starts none. An object, its grid and its connection are used from one
// thread at a time; a Connection belongs to the thread that opened it.
//
// Every other installed header is the library's inside, there for the class headers that
// include it; it may change from one minor version to the next.

#include "orbsales/data/connection.h"
#include "orbsales/data/schema.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/frame/registry.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/grid/model_grid.h"
#include "orbsales/values/errors.h"

#include "orbsales/customers/customer.h"
#include "orbsales/customers/customer_addresses.h"
#include "orbsales/customers/customer_price_list.h"
#include "orbsales/orders/sales_order.h"
#include "orbsales/orders/sales_quotation.h"
#include "orbsales/returns/sales_return.h"
