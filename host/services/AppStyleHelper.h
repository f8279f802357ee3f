#pragma once

#include <QString>

class QApplication;
class QPalette;
class QWidget;

// Host look: the dark theme style sheet of the application and small per-widget styles that
// screens ask for by number.
class AppStyleHelper
{
public:
    enum WidgetStyle {
        StylePanel = 1,          // themed panel background
        StylePrimaryText = 2,    // main text colour
        StyleSecondaryText = 3,  // dimmed text, e.g. hints
        StyleAlarmText = 4,      // over-temperature text colour
        StyleTitleLabel = 8,     // bold section title
        StyleSeparatorLine = 14, // one-pixel separator in the border colour
    };

    // Gives the widget the style; an unknown id is logged and leaves the widget untouched.
    // The style is kept in its own block of the widget's style sheet, so calling again
    // replaces it and the widget's own rules stay.
    static void updateWidgetStyle(QWidget *widget, int styleId);
    // The style sheet block updateWidgetStyle would install (empty for an unknown id).
    static QString widgetStyleSheet(int styleId, const QWidget *widget);
    // Re-evaluates style rules after a dynamic property used by a selector changed.
    static void repolish(QWidget *widget);

    static QString hostStyleSheetResource() { return QStringLiteral(":/style/HostStyle.qss"); }
    // The dark theme style sheet with its colours filled in; empty when the resource is missing.
    static QString hostStyleSheet();
    static QPalette hostPalette();
    static bool applyHostStyleSheet(QApplication *app);
};
