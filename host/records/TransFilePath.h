#pragma once

#include <QPair>
#include <QString>

// One file of a transfer task: the local path first, the remote picture name second.
using TransFilePath = QPair<QString, QString>;
