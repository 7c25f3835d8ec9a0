#pragma once

#include <QObject>
#include <QString>

namespace orbsales {

class Connection;

// OrbSystem.CounterTransaction: hands out document identities per company, branch and
// document prefix. Order of use: set the prefixes, Get_Last_Counter, read NextDocumentNo,
// write the document, Increase_Counter.
class CounterTransaction : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CompanyPrefix READ CompanyPrefix WRITE setCompanyPrefix)
    Q_PROPERTY(QString BranchPrefix READ BranchPrefix WRITE setBranchPrefix)
    Q_PROPERTY(QString DocumentPrefix READ DocumentPrefix WRITE setDocumentPrefix)
    Q_PROPERTY(bool SkipChecking READ SkipChecking WRITE setSkipChecking)
    Q_PROPERTY(double NextDocumentNo READ NextDocumentNo)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
public:
    using QObject::QObject;

    virtual QString CompanyPrefix() const = 0;
    virtual void setCompanyPrefix(const QString &value) = 0;
    virtual QString BranchPrefix() const = 0;
    virtual void setBranchPrefix(const QString &value) = 0;
    virtual QString DocumentPrefix() const = 0;
    virtual void setDocumentPrefix(const QString &value) = 0;
    virtual bool SkipChecking() const = 0;
    virtual void setSkipChecking(bool value) = 0;
    virtual double NextDocumentNo() const = 0;
    virtual QString ErrDesc() const = 0;

    // The connection is passed by reference; the caller takes the reference back afterwards.
    Q_INVOKABLE virtual bool Get_Last_Counter(orbsales::Connection *&connection) = 0;
    Q_INVOKABLE virtual bool Get_Last_Counter(orbsales::Connection *&connection, bool temporaryNumber) = 0;
    Q_INVOKABLE virtual bool Increase_Counter() = 0;
    Q_INVOKABLE virtual bool Increase_Counter(bool temporaryNumber) = 0;
};

} // namespace orbsales
