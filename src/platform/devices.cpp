#include "platform/devices.h"

namespace kestrelle {

namespace {
DeviceFactory& InstalledFactory() {
  static DeviceFactory factory;
  return factory;
}
}  // namespace

void SetDeviceFactory(DeviceFactory factory) { InstalledFactory() = std::move(factory); }

DeviceSet CreateDevices() {
  const DeviceFactory& factory = InstalledFactory();
  return factory ? factory() : CreateSdlDevices();
}

}  // namespace kestrelle
