// Gives a class its exact name, so that components can recognise one another
// by class name the way the program expects (a derived class has its own name).
#pragma once

#define TK_CLASS_NAME(Name)                                      \
 public:                                                         \
  static constexpr const char* StaticClassName() { return #Name; } \
  const char* ClassName() const override { return #Name; }       \
                                                                 \
 private:
