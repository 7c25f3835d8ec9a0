#pragma once

#include "orbsales/services/pdc.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/sales_log.h"

namespace orbsales::package {

// Sales_Log rows, one per document line.
class PackageSalesLog : public SalesLog {
    Q_OBJECT
public:
    using SalesLog::SalesLog;

    bool Create_SalesLog() override;
};

// Project_Transaction rows, one per project line of a document.
class PackageProjectTransaction : public ProjectTransaction {
    Q_OBJECT
public:
    using ProjectTransaction::ProjectTransaction;

    bool Save_Project_Transaction() override;
};

// PDC_Master rows, numbered by the counter of DocumentPrefix ("PDC") for the company and branch:
// company, branch, prefix and identity, as every document number of the package.
class PackagePDC : public PDC {
    Q_OBJECT
public:
    using PDC::PDC;

    bool Create_PDC() override;
};

} // namespace orbsales::package
