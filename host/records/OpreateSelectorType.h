#pragma once

#include <QMetaType>

// What the person-operation selector offers for a snapshot face.
enum OpreateSelectorType {
    OpreateAddToLibrary = 0,    // add the face as a new person of a face library
    OpreateUpdateToLibrary = 1, // replace the face picture of a person already stored
    OpreateAddOrUpdate = 2      // either, chosen in the selector
};

Q_DECLARE_METATYPE(OpreateSelectorType)
