#pragma once

class QWidget;

// Translates the captions, hints and item texts of a window and its controls.
void TranslateComponent(QWidget* window);
