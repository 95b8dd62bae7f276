// Components: an owner that frees them, a name, and the list of what they own.
#pragma once

#include <string>
#include <vector>

#include "ClassName.h"
#include "Object.h"

enum TComponentStateFlag : unsigned { csLoading = 1u, csDesigning = 2u, csDestroying = 4u };

class TComponent : public TObject {
  TK_CLASS_NAME(TComponent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const { return FComponents.at(static_cast<size_t>(Index)); }
  // The owned component of that name (ASCII case-insensitive), or nullptr.
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  unsigned ComponentState() const { return FComponentState; }
  bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
  bool IsLoading() const { return (FComponentState & csLoading) != 0; }
  bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
  void SetComponentState(unsigned Flag, bool On);

  int Tag = 0;

 protected:
  // Frees every owned component, the last first.
  void DestroyComponents();

 private:
  TComponent* FOwner = nullptr;
  std::string FName;
  std::vector<TComponent*> FComponents;
  unsigned FComponentState = 0;
};

// The exact class test the program uses to recognise components: a derived class does not count.
template <class T>
bool IsExactly(const TObject* o) {
  return o != nullptr && std::string(o->ClassName()) == T::StaticClassName();
}
