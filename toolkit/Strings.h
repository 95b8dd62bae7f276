// An ordered list of strings with a change notice, used for memo lines and list items.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TStringList {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items) : FItems(items) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  const std::string& Strings(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void SetString(int Index, const std::string& S);
  int Add(const std::string& S);
  void Insert(int Index, const std::string& S);
  void Delete(int Index);
  void Clear();
  // The first string equal to S, ASCII case ignored as in the VCL's default; -1 when none.
  int IndexOf(const std::string& S) const;
  // Copies all strings of Source; this list keeps its own storage.
  void Assign(const TStringList& Source);
  // The lines joined with CR LF after each; setting splits on CR LF, LF or CR.
  std::string Text() const;
  void SetText(const std::string& S);
  const std::vector<std::string>& Items() const { return FItems; }

  std::function<void()> OnChange;

 private:
  void Changed();
  std::vector<std::string> FItems;
};
