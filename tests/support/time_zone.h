#pragma once
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// The process's time zone while it lives; afterwards the one before it, or none.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* before = std::getenv("TZ")) before_ = before;
    Set(zone);
  }
  ~TimeZone() { Set(before_ ? before_->c_str() : nullptr); }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;

 private:
  static void Set(const char* zone) {
    if (zone != nullptr) {
      setenv("TZ", zone, 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  std::optional<std::string> before_;
};
