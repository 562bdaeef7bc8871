#include "framework/Settings.h"

#include <QByteArray>
#include <QSettings>
#include <QString>

#include "framework/Frame.h"
#include "framework/Internal.h"
#include "framework/UiThread.h"

namespace {

struct TStore {
  std::string File;  // empty: the program's own place
  std::string Organisation = "Varek";
  std::string Application = "Varek 99";
};

TStore& Store() {
  static TStore store;
  return store;
}

}  // namespace

TSettings::TSettings() {
  const TStore& where = Store();
  if (!where.File.empty())
    store_ = std::make_unique<QSettings>(ToQString(where.File.c_str()), QSettings::IniFormat);
  else
    store_ = std::make_unique<QSettings>(ToQString(where.Organisation.c_str()), ToQString(where.Application.c_str()));
}

TSettings::~TSettings() = default;

bool TSettings::ReadBool(const char* key, bool fallback) const {
  const QVariant value = store_->value(ToQString(key));
  if (!value.isValid()) return fallback;
  // Only the texts the store writes itself count; anything else is not a choice.
  const QString text = value.toString().trimmed().toLower();
  if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
  if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
  return fallback;
}

int TSettings::ReadInt(const char* key, int fallback) const {
  const QVariant value = store_->value(ToQString(key));
  if (!value.isValid()) return fallback;
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  return ok ? number : fallback;
}

void TSettings::WriteBool(const char* key, bool value) { store_->setValue(ToQString(key), value); }

void TSettings::WriteInt(const char* key, int value) { store_->setValue(ToQString(key), value); }

bool TSettings::Contains(const char* key) const { return store_->contains(ToQString(key)); }

void TSettings::Clear() { store_->clear(); }

void TSettings::SaveGeometry(const char* key, const TDecoratedFrame& frame) {
  RequireUiThread("TSettings::SaveGeometry");
  const std::string geometry = frame.SaveGeometry();
  store_->setValue(ToQString(key), QByteArray(geometry.data(), static_cast<qsizetype>(geometry.size())));
}

bool TSettings::RestoreGeometry(const char* key, TDecoratedFrame& frame) const {
  RequireUiThread("TSettings::RestoreGeometry");
  const QVariant value = store_->value(ToQString(key));
  if (!value.isValid()) return false;
  const QByteArray bytes = value.toByteArray();
  return frame.RestoreGeometry(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void TSettings::Sync() { store_->sync(); }

void TSettings::UseFile(const std::string& path) { Store().File = path; }

void TSettings::UseProgramStore(const std::string& organisation, const std::string& application) {
  TStore& where = Store();
  where.File.clear();
  where.Organisation = organisation;
  where.Application = application;
}

std::string TSettings::FileInUse() { return Store().File; }
