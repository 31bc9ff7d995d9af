#pragma once

// Stands in for the system's word that adapters came or went: the test says
// when, no real plug needed.

#include "platform/devicewatcher.h"

class FakeDeviceWatcher : public vq::DeviceWatcher
{
public:
    void plugged() { emit changed(); }
};
