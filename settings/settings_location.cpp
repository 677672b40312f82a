#include "settings/settings_location.h"

#include <QCoreApplication>
#include <QSerialPortInfo>

#include "settings/comm_settings.h"

namespace calvor {
namespace {

std::filesystem::path& FolderOverride() {
  static std::filesystem::path folder;
  return folder;
}

std::function<QStringList()>& PortLister() {
  static std::function<QStringList()> lister;
  return lister;
}

}  // namespace

std::filesystem::path SettingsFilePath() {
  const std::filesystem::path folder = FolderOverride().empty()
                                           ? std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String())
                                           : FolderOverride();
  return folder / SettingsFileName;
}

void SetSettingsFolderForTests(const std::filesystem::path& folder) { FolderOverride() = folder; }

QStringList SystemSerialPorts() {
  if (PortLister()) return PortLister()();
  QStringList names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.portName();
  return names;
}

void SetSerialPortListerForTests(std::function<QStringList()> lister) { PortLister() = std::move(lister); }

}  // namespace calvor
