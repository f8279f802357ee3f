#pragma once

#include <QMetaType>

// Kind of change the platform reports for devices and organisations.
enum OrvaneOperatorType {
    ORVANE_OPERATOR_ADD = 0,
    ORVANE_OPERATOR_DELETE = 1,
    ORVANE_OPERATOR_QUERY = 2,
    ORVANE_OPERATOR_MODIFY = 3,
};

Q_DECLARE_METATYPE(OrvaneOperatorType)
