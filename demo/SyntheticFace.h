#pragma once

#include <QImage>
#include <QSize>

// Face pictures for the simulated cameras: a simple drawn head whose colours and features
// follow from an identity, so that every person looks alike in all their snapshots and unlike
// everyone else, while the snapshot number moves the head and light a little.
class SyntheticFace
{
public:
    static constexpr int Width = 200;
    static constexpr int Height = 250;

    // p_nShot 0 gives the frontal, evenly lit archive picture.
    static QImage draw(quint32 p_nIdentity, quint32 p_nShot, bool p_bMask);
};
