#include <QPainter>

#include "labels/printetikett.h"

// Drawing of labels and their elements, kept apart from the layout model: reading, writing and
// copying layouts never draw. Nothing is drawn yet.

void TPrintEtikett::Paint(QPainter& canvas) {
    Q_UNUSED(canvas);
}

void TPrintEtikettElementVariable::Paint(QPainter& canvas) {
    Q_UNUSED(canvas);
}

void TPrintEtikettElementObject::Paint(QPainter& canvas) {
    Q_UNUSED(canvas);
}

void TPrintEtikettElementBarcode::Paint(QPainter& canvas) {
    Q_UNUSED(canvas);
}
