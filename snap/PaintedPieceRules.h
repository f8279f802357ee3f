#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

// Geometry and texts of the pieces painted over the video: the round head image and the
// placeholder that stands in for the video in custom-picture mode.
namespace PaintedPieceRules {

// Ring of a head image of the given size: pen width, margin to the edge and the diameter of
// the disc; all scale with the height against a 130-pixel reference.
struct HeadRing
{
    int width = 0;
    int margin = 0;
    int diameter = 0;
};
HeadRing headRing(const QSize &size);
// Ring colour of a head image: red for over temperature (state 1), else green.
QColor headRingColour(int state);

// Texts of the placeholder for a reading: the temperature as the strategy's thermometry result
// wants it, and the configured result (first line) and text (second line) of the state.
struct PlaceholderTexts
{
    QString temperature;
    QString firstLine;
    QString secondLine;
};
PlaceholderTexts placeholderTexts(const ST_MSGVoiceBroadcastStrategy &strategy,
                                  const QString &temperature, int state);
// Theme colour key of a temperature state, empty for a state that keeps the colour.
QString placeholderColourKey(int state);

// Placeholder fonts at a scale of height / 660: 55 points for the first line, two thirds of that
// for the second.
int placeholderFirstPointSize(double scale);
int placeholderSecondPointSize(double scale);
// Boxes the two lines are centred in.
QRect placeholderFirstBox(const QSize &size);
QRect placeholderSecondBox(const QSize &size);

} // namespace PaintedPieceRules
