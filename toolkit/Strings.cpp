#include "Strings.h"

#include <cctype>
#include <stdexcept>

namespace {

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

void CheckIndex(int Index, int Limit) {
  if (Index < 0 || Index > Limit) throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
}

}  // namespace

void TStringList::Changed() {
  if (OnChange) OnChange();
}

void TStringList::SetString(int Index, const std::string& S) {
  CheckIndex(Index, Count() - 1);
  FItems[static_cast<size_t>(Index)] = S;
  Changed();
}

int TStringList::Add(const std::string& S) {
  FItems.push_back(S);
  Changed();
  return Count() - 1;
}

void TStringList::Insert(int Index, const std::string& S) {
  CheckIndex(Index, Count());
  FItems.insert(FItems.begin() + Index, S);
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index, Count() - 1);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (SameText(FItems[i], S)) return static_cast<int>(i);
  }
  return -1;
}

void TStringList::Assign(const TStringList& Source) {
  if (&Source == this) return;
  FItems = Source.FItems;
  Changed();
}

std::string TStringList::Text() const {
  std::string Result;
  for (const std::string& Line : FItems) {
    Result += Line;
    Result += "\r\n";
  }
  return Result;
}

void TStringList::SetText(const std::string& S) {
  std::vector<std::string> Lines;
  size_t Start = 0;
  while (Start < S.size()) {
    size_t End = S.find_first_of("\r\n", Start);
    if (End == std::string::npos) {
      Lines.push_back(S.substr(Start));
      break;
    }
    Lines.push_back(S.substr(Start, End - Start));
    Start = End + (S.compare(End, 2, "\r\n") == 0 ? 2 : 1);
  }
  FItems = std::move(Lines);
  Changed();
}
