#pragma once

class QWidget;

void ShowAboutDialog(QWidget* parent);
