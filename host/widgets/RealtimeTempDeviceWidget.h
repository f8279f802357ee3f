#pragma once

#include "DeviceWidget.h"

// Device tree of the temperature screens: starts with the temperature-screening devices and
// only their thermal channels.
class RealtimeTempDeviceWidget : public DeviceWidget
{
    Q_OBJECT
public:
    explicit RealtimeTempDeviceWidget(QWidget *parent = nullptr);
    ~RealtimeTempDeviceWidget() override;
};
