#pragma once
// Every test class of the window test program, run one after another by main.cpp.

#include <QObject>

#include <memory>

std::unique_ptr<QObject> TestyOknaGlownego();
std::unique_ptr<QObject> TestyPaneliEdycji();
std::unique_ptr<QObject> TestySchematu();
std::unique_ptr<QObject> TestyPaneliMaszyny();
