#pragma once
// The profile store: a store object bound to one profile file (sections of key=value
// lines). Reads fall back to the caller's default and never fail; writes reach the disk
// before they return, replace the file whole and atomically, and raise EIniFileException
// "Unable to write to %s" when they cannot. Nothing is cached: every operation reads the
// file afresh, so two stores on one file see each other's writes. Texts are bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "base/FormatSettings.h"

class TCustomIniFile {
public:
  explicit TCustomIniFile(std::string fileName);
  virtual ~TCustomIniFile() = default;

  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) = 0;
  virtual void WriteText(const std::string& section, const std::string& key,
                         const std::string& value) = 0;
  // Decimal or hexadecimal ("$", "0x", ...); any text that does not convert gives the default.
  virtual int32_t ReadNumber(const std::string& section, const std::string& key,
                             int32_t defaultValue);
  virtual void WriteNumber(const std::string& section, const std::string& key, int32_t value);
  // A number other than 0 is true.
  virtual bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue);
  virtual void WriteFlag(const std::string& section, const std::string& key, bool value);
  // With the process-wide settings; an empty or unconvertible text gives the default.
  virtual TDate ReadDateValue(const std::string& section, const std::string& key,
                              TDate defaultValue);
  virtual TDateTime ReadDateTimeValue(const std::string& section, const std::string& key,
                                      TDateTime defaultValue);
  virtual double ReadRealValue(const std::string& section, const std::string& key,
                               double defaultValue);
  virtual TTime ReadTimeValue(const std::string& section, const std::string& key,
                              TTime defaultValue);
  virtual void WriteDateValue(const std::string& section, const std::string& key, TDate value);
  virtual void WriteDateTimeValue(const std::string& section, const std::string& key,
                                  TDateTime value);
  virtual void WriteRealValue(const std::string& section, const std::string& key, double value);
  virtual void WriteTimeValue(const std::string& section, const std::string& key, TTime value);
  // Empty the list, then add the names in file order.
  virtual void ListKeys(const std::string& section, std::vector<std::string>& list) = 0;
  virtual void ListSections(std::vector<std::string>& list) = 0;
  // Sets the list's "key=value" entry of each key of the section (names matched without
  // regard to case); a key with an empty value removes its entry. Other entries stay.
  virtual void ListKeyValues(const std::string& section, std::vector<std::string>& list) = 0;
  virtual void RemoveSection(const std::string& section) = 0;  // raises like WriteText
  virtual void RemoveKey(const std::string& section, const std::string& key) = 0;  // silent
  virtual void Flush() = 0;

private:
  std::string fileName_;
};

class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(std::string fileName);

  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& defaultValue) override;
  void WriteText(const std::string& section, const std::string& key,
                 const std::string& value) override;
  void ListKeys(const std::string& section, std::vector<std::string>& list) override;
  void ListSections(std::vector<std::string>& list) override;
  void ListKeyValues(const std::string& section, std::vector<std::string>& list) override;
  void RemoveSection(const std::string& section) override;
  void RemoveKey(const std::string& section, const std::string& key) override;
  void Flush() override;
};

// The scheduler window's settings store; it behaves exactly like TIniFile.
class TExInifile : public TIniFile {
public:
  using TIniFile::TIniFile;
};

// The longest value ReadText returns, and the longest ReadLongValue returns.
inline constexpr size_t MaxProfileTextLength = 2047;
inline constexpr size_t MaxProfileLongValueLength = 32768;

// ReadText of up to MaxProfileLongValueLength characters.
std::string ReadLongValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName);
// WriteText that reports nothing; a failed write leaves the file as it was.
void WriteLongValue(const std::string& section, const std::string& key,
                    const std::string& value, const std::string& fileName);
