// Help > User Guide: the guide installed with the program, in a window of its own.
#pragma once

#include <string>
#include <vector>

class QWidget;

// Where the guide may be, in the order they are tried: an installed program's
// share/doc/tarvik/, then docs/ beside a program in its build tree.
std::vector<std::string> GuideCandidates(const std::string& programFolder);

// Shows the guide in a window that stays open beside the plot; says so when the
// guide is not there.
void ShowUserGuide(QWidget* parent);
