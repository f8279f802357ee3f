#include "SpeechEngine.h"

SpeechEngine::~SpeechEngine() = default;

void SpeechEngine::giveUp()
{
    stop();
}
