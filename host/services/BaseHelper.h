#pragma once

#include "PREVIEWCONFIGPARAM.h"

#include <QString>

class QLabel;
class QTabWidget;

// Host helpers shared by the preview windows: the saved video layout per window, the folder
// last used to save a picture, and fitting texts into labels.
class BaseHelper
{
public:
    static BaseHelper *instance();

    PREVIEWCONFIGPARAM getEpidemicPreviewConfigParam(int windowId) const;
    bool setEpidemicPreviewConfigParam(int windowId, const PREVIEWCONFIGPARAM &param);

    QString getMouseRightSavePath() const;
    bool setMouseRightSavePath(const QString &path);

    // Shows text as plain text, elided at the right to the room the label has: its width less
    // p_nReserved, but never below p_nMinWidth. The full text becomes the tool tip.
    static void adjustShowLabelText(QLabel *label, const QString &text, int p_nReserved = 0,
                                    int p_nMinWidth = 0);
    // The room adjustShowLabelText gives a label of the given width.
    static int availableTextWidth(int labelWidth, int p_nReserved, int p_nMinWidth);
    // Gives every tab of the widget the same width, at least p_nMinWidth and wide enough for
    // the longest title.
    static void adjustTabWidgetViewWidth(QTabWidget *tabWidget, int p_nMinWidth);

    BaseHelper(const BaseHelper &) = delete;
    BaseHelper &operator=(const BaseHelper &) = delete;

private:
    BaseHelper() = default;
};
