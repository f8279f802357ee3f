#pragma once

class BaseWidget;
class QWidget;

// Builds the screening screen that the host's OEM screen variant asks for, with `parent` as
// its Qt parent. Returns null when no screen could be built.
BaseWidget *createScreen(int screenVariant, QWidget *parent);
