#pragma once
// One persistent setting: its registry value name, default and in-memory value. Assigning a
// different value stores it and writes it at once through the settings store.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

#include "search/settings/FontStyles.h"
#include "search/settings/RegMgr.h"

class TSettingBase;

// What a setting needs from the object that owns it.
class TSettingsHost {
 public:
  virtual void Register(TSettingBase& setting) = 0;
  virtual TRegistryManager& Store() = 0;
  // Runs `save` on the store, then reports the change of `name`; the report is made also when
  // the save fails, whose error then goes on to the caller.
  virtual void Write(const std::string& name, const std::function<void(TRegistryManager&)>& save) = 0;

 protected:
  ~TSettingsHost() = default;
};

class TSettingBase {
 public:
  TSettingBase(TSettingsHost& host, std::string name) : host_(host), name_(std::move(name)) { host_.Register(*this); }
  virtual ~TSettingBase() = default;
  TSettingBase(const TSettingBase&) = delete;
  TSettingBase& operator=(const TSettingBase&) = delete;

  const std::string& Name() const { return name_; }
  // Reads the stored value, or the default when it is missing or unusable.
  virtual void Load() = 0;

 protected:
  TSettingsHost& host_;

 private:
  std::string name_;
};

// The values a number loaded from the settings may take, the ends included: what its control
// offers or its use can take. A stored value outside is brought to the nearer end, so that
// nothing computes with a value its control could never have given.
template <typename T>
struct TAllowedRange {
  T lowest;
  T highest;
};

// How one kind of setting is stored: Load(store, name, default) and Save(store, name, value).
template <typename T, typename Codec>
class TSetting : public TSettingBase {
 public:
  TSetting(TSettingsHost& host, std::string name, T defaultValue,
           std::optional<TAllowedRange<T>> allowed = std::nullopt)
      : TSettingBase(host, std::move(name)), default_(defaultValue), value_(std::move(defaultValue)), allowed_(allowed) {}

  const T& Value() const { return value_; }
  const T& Default() const { return default_; }

  // Nothing happens when the value is the one held. Otherwise the new value is held even when
  // writing it fails (the store's error then reaches the caller).
  void Set(const T& value) {
    if (value == value_) return;
    value_ = value;
    host_.Write(Name(), [this](TRegistryManager& store) { Codec::Save(store, Name(), value_); });
  }

  void Load() override {
    value_ = Codec::Load(host_.Store(), Name(), default_);
    if constexpr (std::is_arithmetic_v<T>) {
      if (allowed_) value_ = std::clamp(value_, allowed_->lowest, allowed_->highest);
    }
  }

 private:
  T default_;
  T value_;
  std::optional<TAllowedRange<T>> allowed_;
};

struct TBoolCodec {
  static bool Load(TRegistryManager& s, const std::string& n, bool d) { return s.LoadBool(n, d); }
  static void Save(TRegistryManager& s, const std::string& n, bool v) { s.SaveBool(n, v); }
};

struct TIntegerCodec {
  static int32_t Load(TRegistryManager& s, const std::string& n, int32_t d) { return s.LoadInteger(n, d); }
  static void Save(TRegistryManager& s, const std::string& n, int32_t v) { s.SaveInteger(n, v); }
};

// Enumerations are held in one byte: the low 8 bits of the stored integer.
struct TEnumCodec {
  static uint8_t Load(TRegistryManager& s, const std::string& n, uint8_t d) {
    return static_cast<uint8_t>(s.LoadInteger(n, d) & 0xFF);
  }
  static void Save(TRegistryManager& s, const std::string& n, uint8_t v) { s.SaveInteger(n, v); }
};

struct TTextCodec {
  static std::string Load(TRegistryManager& s, const std::string& n, const std::string& d) { return s.LoadText(n, d); }
  static void Save(TRegistryManager& s, const std::string& n, const std::string& v) { s.SaveText(n, v); }
};

struct TInt64Codec {
  static int64_t Load(TRegistryManager& s, const std::string& n, int64_t d) { return s.LoadInt64(n, d); }
  static void Save(TRegistryManager& s, const std::string& n, int64_t v) { s.SaveInt64(n, v); }
};

struct TDateTimeCodec {
  static double Load(TRegistryManager& s, const std::string& n, double d) { return s.LoadFloat(n, d); }
  static void Save(TRegistryManager& s, const std::string& n, double v) { s.SaveFloat(n, v); }
};

struct TFontStyleCodec {
  static TFontStyles Load(TRegistryManager& s, const std::string& n, const TFontStyles& d) {
    return FontStylesFromText(s.LoadText(n, FontStylesToText(d)));
  }
  static void Save(TRegistryManager& s, const std::string& n, const TFontStyles& v) {
    s.SaveText(n, FontStylesToText(v));
  }
};

// Colours are 32-bit values, 0x00BBGGRR or 0xFF0000nn for system colour nn, held signed as
// they are stored.
using TColour = int32_t;
constexpr TColour SystemColour(uint32_t index) { return static_cast<TColour>(0xFF000000u | index); }

using TBoolSetting = TSetting<bool, TBoolCodec>;
using TIntegerSetting = TSetting<int32_t, TIntegerCodec>;
using TColourSetting = TSetting<TColour, TIntegerCodec>;
using TEnumSetting = TSetting<uint8_t, TEnumCodec>;
using TTextSetting = TSetting<std::string, TTextCodec>;
using TInt64Setting = TSetting<int64_t, TInt64Codec>;
using TDateTimeSetting = TSetting<double, TDateTimeCodec>;
using TFontStyleSetting = TSetting<TFontStyles, TFontStyleCodec>;
