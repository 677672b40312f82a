#pragma once
// Where the settings file lives: beside the running executable.
#include <QStringList>
#include <filesystem>
#include <functional>

namespace calvor {

std::filesystem::path SettingsFilePath();

// Tests keep their settings in a folder of their own.
void SetSettingsFolderForTests(const std::filesystem::path& folder);

// The names of the system's serial ports.
QStringList SystemSerialPorts();

// Tests decide which ports the system has.
void SetSerialPortListerForTests(std::function<QStringList()> lister);

}  // namespace calvor
