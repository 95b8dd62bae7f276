// The program's main window for tests: built on a 1280 x 1024 screen at a known
// outer size, shown, and its board painted once so that the circles have prepared
// their looks and entered their groups in the menu.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <memory>

#include "app/MainForm.h"
#include "setupctrls/BoardImage.h"
#include "toolkit/Application.h"
#include "toolkit/Screen.h"

// Paints the board the way its window would.
inline void PaintBoard(TBoardImage* Board) {
  QImage surface(Board->Width(), Board->Height(), QImage::Format_RGB32);
  Board->PaintHandler(surface, Rect(0, 0, Board->Width(), Board->Height()));
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Screen::SetSizeForTesting(1280, 1024);
    form = std::make_unique<TMainForm>(Application);
    form->SetWindowState(wsNormal);
    form->SetBounds(0, 0, 1288, 1002);
    form->ShowForm();
    QCoreApplication::processEvents();
    PaintBoard(form->BoardImage1);
  }
  void TearDown() override {
    form.reset();
    Screen::SetSizeForTesting(0, 0);
  }

  std::unique_ptr<TMainForm> form;
};
