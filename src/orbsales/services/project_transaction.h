#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbProject.ProjectTransaction: one cost or revenue line of a project.
class ProjectTransaction : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, ProjNo)
    ORB_SIBLING_PROPERTY(QString, DocumentNo)
    ORB_SIBLING_PROPERTY(QString, CompanyPrefix)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_PROPERTY(QString, DocumentPrefix)
    ORB_SIBLING_DATE_PROPERTY(DocumentDate)
    ORB_SIBLING_PROPERTY(double, ProjdDebitAmount)
    ORB_SIBLING_PROPERTY(double, ProjdFCDebitAmount)
    ORB_SIBLING_PROPERTY(double, ProjdCreditAmount)
    ORB_SIBLING_PROPERTY(double, ProjdFCCreditAmount)
    ORB_SIBLING_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_SIBLING_PROPERTY(QString, CurrencyCode)
    ORB_SIBLING_PROPERTY(QString, CurrencySymbol)
    ORB_SIBLING_PROPERTY(QString, ProjdDescription)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
public:
    using SiblingService::SiblingService;

    Q_INVOKABLE virtual bool Save_Project_Transaction() = 0;
};

} // namespace orbsales
