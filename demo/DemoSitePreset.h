#pragma once

// How the demo site is set up before its screens first show: each window that has no voice
// strategies yet gets the plug-in's default pair, switched to full-screen cards (display mode 1)
// with the platform's thermometry mode 1, so that live snapshots also appear as large slides
// over the video. Windows that already have strategies keep them.
namespace DemoSitePreset {

// Returns false when a strategy could not be stored.
bool prepareWindow(int windowId);

} // namespace DemoSitePreset
