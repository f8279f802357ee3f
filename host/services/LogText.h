#pragma once

#include <QString>

// Makes text from outside (picture names, paths, server ids) safe to put into a log line: a
// name holding a line break or other control character would otherwise start a forged line.
class LogText
{
public:
    // Control characters, line and paragraph separators, unpaired surrogates, backslash and
    // double quote as C-style escapes (\n, \r, \t, \\, \", \xNN, \uNNNN); everything else
    // unchanged.
    static QString escaped(const QString &text);
    // escaped() in double quotes, so that leading or trailing blanks stay visible.
    static QString quoted(const QString &text);
};
