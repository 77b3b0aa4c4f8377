#pragma once
// The one place that knows which Windows the program runs on. Code that
// behaves differently by version asks here; tests put another version in
// place (TOsVersionOverride) to reach branches the running system would
// never take.

struct TOsVersion {
  bool NTFamily = true; // false on the Windows 9x family
  int Major = 0;
  int Minor = 0;
  bool operator==(const TOsVersion&) const = default;
};

// The version in force: the override when one is set, otherwise what the
// system reports (read once).
const TOsVersion& OsVersion();
// What the system reports, whatever override is set.
const TOsVersion& SystemOsVersion();

// Makes OsVersion answer v while it exists; nests, and puts back what was
// in force before when it goes.
class TOsVersionOverride {
public:
  explicit TOsVersionOverride(const TOsVersion& v);
  ~TOsVersionOverride();
  TOsVersionOverride(const TOsVersionOverride&) = delete;
  TOsVersionOverride& operator=(const TOsVersionOverride&) = delete;

private:
  const TOsVersion* FPrevious;
  TOsVersion FVersion;
};
