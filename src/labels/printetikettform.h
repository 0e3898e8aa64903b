#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "app/objectlist.h"
#include "labels/printetikett.h"

class TPrintEtikettManager;
class TXmlAttributes;

// One label position on a form: the named label's top-left corner, in 0.1 mm from the
// sheet's top-left corner.
class TPrintEtikettHolder {
public:
    TPrintEtikettHolder();
    ~TPrintEtikettHolder();
    TPrintEtikettHolder(const TPrintEtikettHolder&) = delete;
    TPrintEtikettHolder& operator=(const TPrintEtikettHolder&) = delete;

    // Makes the label copy on first use and places it at this position. The copy is kept
    // for later drawings; a name without a label is looked up again next time. Returns the
    // copy or null.
    TPrintEtikett* Resolve(const TPrintEtikettManager& manager);

    void ReadAttributes(const TXmlAttributes& attributes);
    // The position's line without indent and line end.
    QString XmlLine() const;

    QString name;
    qint32 left = 0;
    qint32 top = 0;
    // The position receives an address on the first printed sheet. Not stored.
    bool Active = true;
    // This position's own copy of the named label; empty until resolved. Not stored.
    std::unique_ptr<TPrintEtikett> LabelCopy;
};

// Owning, ordered list of label positions.
class TPrintEtikettHolderObjectList : public TObjectList<TPrintEtikettHolder> {};

// One kind of printable sheet with the positions of its labels. There are no grid
// parameters: every label slot is an explicit position.
class TPrintEtikettForm {
public:
    enum : quint8 {
        ftA4 = 0,
        ftCustom = 1,
    };

    TPrintEtikettForm();
    ~TPrintEtikettForm();
    TPrintEtikettForm(const TPrintEtikettForm&) = delete;
    TPrintEtikettForm& operator=(const TPrintEtikettForm&) = delete;

    void ReadAttributes(const TXmlAttributes& attributes);
    // The form's start tag without indent and line end.
    QString XmlLine() const;

    QString name;
    // 0 standard A4 sheet, 1 custom paper of width x height.
    quint8 type = ftA4;
    // True portrait, false landscape.
    bool orientation = true;
    // Paper size in 0.1 mm, used only for custom paper.
    qint32 width = 0;
    qint32 height = 0;
    TPrintEtikettHolderObjectList positions;
};

// Owning, ordered list of forms.
class TPrintEtikettFormObjectList : public TObjectList<TPrintEtikettForm> {};
