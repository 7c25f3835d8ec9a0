#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <optional>

// How scenario values (JSON) meet the values of properties, parameters, grid cells and query
// columns: conversion to a member's type, and comparison of an actual value with the expected.
namespace orbsales::cli::scenario {

// The value converted to `type`, or nullopt with `error` saying what was wanted ("a number
// is needed, got text"). Text only for String, numbers only for Double, whole numbers in
// range for Long and Integer, true/false (or 0/1) for Boolean, ISO text for Date, any single
// value for Variant.
std::optional<QVariant> convert(const QJsonValue &value, QMetaType type, QString &error);

// Comparison rules: numbers by value to 15 significant digits (7 equals 7.0, also when the
// actual value is a text holding a number), text exactly, Booleans against Booleans or 0/1,
// null against NULL only, dates as ISO text (a date at midnight equals "yyyy-MM-dd" and
// "yyyy-MM-ddT00:00:00"; a date kept as "yyyy-MM-dd HH:mm:ss" text compares the same way).
bool matches(const QVariant &actual, const QJsonValue &expected);

// Values for messages: text quoted, numbers as their shortest text, dates as ISO text.
QString showExpected(const QJsonValue &expected);
QString showActual(const QVariant &actual);

// A member's value as a scenario value, for references to it (dates become ISO text).
QJsonValue toScenarioValue(const QVariant &value);
// A scenario value as a value to bind into a query.
QVariant toBindValue(const QJsonValue &value);

// "yyyy-MM-dd", "yyyy-MM-ddTHH:mm:ss" or "yyyy-MM-dd HH:mm:ss" (optionally with milliseconds).
std::optional<QDateTime> parseIsoDate(const QString &text);

// "text", "number", "true/false", "null", "a list", "an object": for messages.
QString kindOf(const QJsonValue &value);

} // namespace orbsales::cli::scenario
