#include "labels/printetikett.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/conversions.h"
#include "app/format.h"
#include "labels/printetikettxml.h"

// ---- TPrintEtikettElement ----

TPrintEtikettElement::TPrintEtikettElement(TPrintEtikett* owner) : m_owner(owner) {}

TPrintEtikettElement::TPrintEtikettElement(TPrintEtikett* owner, quint8 kind)
    : Kind(kind), m_owner(owner) {}

TPrintEtikettElement::~TPrintEtikettElement() = default;

void TPrintEtikettElement::ReadAttributes(const TXmlAttributes& attributes) {
    EtikettXml::readText(attributes, "name", name);
    EtikettXml::readInt(attributes, "left", left);
    EtikettXml::readInt(attributes, "top", top);
    EtikettXml::readInt(attributes, "width", width);
    EtikettXml::readInt(attributes, "height", height);
}

QString TPrintEtikettElement::XmlLine() const {
    return {};
}

void TPrintEtikettElement::copyBaseTo(TPrintEtikettElement& target) const {
    target.name = name;
    target.left = left;
    target.top = top;
    target.width = width;
    target.height = height;
    target.Kind = Kind;
}

// ---- TPrintEtikettElementVariable ----

TPrintEtikettElementVariable::TPrintEtikettElementVariable(TPrintEtikett* owner)
    : TPrintEtikettElement(owner, ekVariable) {}

TPrintEtikettElementVariable::~TPrintEtikettElementVariable() = default;

std::unique_ptr<TPrintEtikettElement> TPrintEtikettElementVariable::Copy(
    TPrintEtikett* owner) const {
    auto copy = std::make_unique<TPrintEtikettElementVariable>(owner);
    copyBaseTo(*copy);
    copy->var = var;
    copy->vartype = vartype;
    copy->Value = Value;
    copy->ortp = ortp;
    copy->fname = fname;
    copy->color = color;
    copy->bold = bold;
    copy->italic = italic;
    copy->underl = underl;
    copy->ralign = ralign;
    copy->fsize = fsize;
    copy->wwrap = wwrap;
    return copy;
}

void TPrintEtikettElementVariable::ReadAttributes(const TXmlAttributes& attributes) {
    TPrintEtikettElement::ReadAttributes(attributes);
    EtikettXml::readText(attributes, "var", var);
    EtikettXml::readByte(attributes, "vartype", vartype);
    EtikettXml::readBool(attributes, "ortp", ortp);
    EtikettXml::readText(attributes, "fname", fname);
    EtikettXml::readInt(attributes, "color", color);
    EtikettXml::readBool(attributes, "bold", bold);
    EtikettXml::readBool(attributes, "italic", italic);
    EtikettXml::readBool(attributes, "underl", underl);
    EtikettXml::readBool(attributes, "ralign", ralign);
    EtikettXml::readInt(attributes, "fsize", fsize);
    EtikettXml::readBool(attributes, "wwrap", wwrap);
}

QString TPrintEtikettElementVariable::XmlLine() const {
    return FormatStr(
        QStringLiteral("<etikettvar name=\"%s\" left=\"%d\" top=\"%d\" width=\"%d\" "
                       "height=\"%d\" var=\"%s\" vartype=\"%d\" ortp=\"%s\" fname=\"%s\" "
                       "color=\"%d\" bold=\"%s\" italic=\"%s\" underl=\"%s\" ralign=\"%s\" "
                       "fsize=\"%d\" wwrap=\"%s\"/>"),
        {XmlEscape(name), left, top, width, height, XmlEscape(var), int(vartype), BoolToXml(ortp),
         XmlEscape(fname), color, BoolToXml(bold), BoolToXml(italic), BoolToXml(underl),
         BoolToXml(ralign), fsize, BoolToXml(wwrap)});
}

// ---- TPrintEtikettElementObject ----

TPrintEtikettElementObject::TPrintEtikettElementObject(TPrintEtikett* owner)
    : TPrintEtikettElement(owner, ekObject) {}

TPrintEtikettElementObject::~TPrintEtikettElementObject() = default;

std::unique_ptr<TPrintEtikettElement> TPrintEtikettElementObject::Copy(TPrintEtikett* owner) const {
    auto copy = std::make_unique<TPrintEtikettElementObject>(owner);
    copyBaseTo(*copy);
    copy->objtype = objtype;
    copy->color = color;
    copy->fill = fill;
    copy->fillcolor = fillcolor;
    copy->linewidth = linewidth;
    copy->style = style;
    return copy;
}

void TPrintEtikettElementObject::ReadAttributes(const TXmlAttributes& attributes) {
    TPrintEtikettElement::ReadAttributes(attributes);
    EtikettXml::readByte(attributes, "objtype", objtype);
    EtikettXml::readInt(attributes, "color", color);
    EtikettXml::readBool(attributes, "fill", fill);
    EtikettXml::readInt(attributes, "fillcolor", fillcolor);
    EtikettXml::readInt(attributes, "linewidth", linewidth);
    EtikettXml::readByte(attributes, "style", style);
}

QString TPrintEtikettElementObject::XmlLine() const {
    return FormatStr(
        QStringLiteral("<etikettobj name=\"%s\" left=\"%d\" top=\"%d\" width=\"%d\" "
                       "height=\"%d\" objtype=\"%d\" color=\"%d\" fill=\"%s\" fillcolor=\"%d\" "
                       "linewidth=\"%d\" style=\"%d\"/>"),
        {XmlEscape(name), left, top, width, height, int(objtype), color, BoolToXml(fill), fillcolor,
         linewidth, int(style)});
}

// ---- TPrintEtikettElementBarcode ----

TPrintEtikettElementBarcode::TPrintEtikettElementBarcode(TPrintEtikett* owner)
    : TPrintEtikettElement(owner, ekBarcode) {}

TPrintEtikettElementBarcode::~TPrintEtikettElementBarcode() = default;

std::unique_ptr<TPrintEtikettElement> TPrintEtikettElementBarcode::Copy(
    TPrintEtikett* owner) const {
    auto copy = std::make_unique<TPrintEtikettElementBarcode>(owner);
    copyBaseTo(*copy);
    copy->var = var;
    copy->Value = Value;
    copy->barcode = barcode;
    copy->showtext = showtext;
    copy->showtextpos = showtextpos;
    return copy;
}

void TPrintEtikettElementBarcode::ReadAttributes(const TXmlAttributes& attributes) {
    TPrintEtikettElement::ReadAttributes(attributes);
    EtikettXml::readText(attributes, "var", var);
    EtikettXml::readByte(attributes, "barcode", barcode);
    EtikettXml::readByte(attributes, "showtext", showtext);
    EtikettXml::readByte(attributes, "showtextpos", showtextpos);
}

QString TPrintEtikettElementBarcode::XmlLine() const {
    return FormatStr(QStringLiteral("<etikettbarc name=\"%s\" left=\"%d\" top=\"%d\" width=\"%d\" "
                                    "height=\"%d\" var=\"%s\" barcode=\"%d\" showtext=\"%d\" "
                                    "showtextpos=\"%d\"/>"),
                     {XmlEscape(name), left, top, width, height, XmlEscape(var), int(barcode),
                      int(showtext), int(showtextpos)});
}

// ---- TPrintEtikettElementObjectList ----

int TPrintEtikettElementObjectList::IndexOf(const TPrintEtikettElement* element) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [element](const auto& item) { return item.get() == element; });
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

// ---- TPrintEtikett ----

TPrintEtikett::TPrintEtikett() : DpiX(ScreenDpi()), DpiY(ScreenDpi()) {}

TPrintEtikett::~TPrintEtikett() = default;

int TPrintEtikett::ScreenDpi() {
    // A console process (the setup tool, logic tests) has no screen.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    const int dpi = int(std::lround(screen->logicalDotsPerInchX()));
    return dpi > 0 ? dpi : 96;
}

std::unique_ptr<TPrintEtikett> TPrintEtikett::Copy() const {
    auto copy = std::make_unique<TPrintEtikett>();
    copy->name = name;
    copy->width = width;
    copy->height = height;
    copy->withborder = withborder;
    for (const auto& element : elements) {
        switch (element->Kind) {
            case TPrintEtikettElement::ekVariable:
            case TPrintEtikettElement::ekObject:
            case TPrintEtikettElement::ekBarcode:
                copy->elements.Add(element->Copy(copy.get()));
                break;
            default:
                break;
        }
    }
    return copy;
}

void TPrintEtikett::ReadAttributes(const TXmlAttributes& attributes) {
    EtikettXml::readText(attributes, "name", name);
    EtikettXml::readInt(attributes, "width", width);
    EtikettXml::readInt(attributes, "height", height);
    EtikettXml::readBool(attributes, "withborder", withborder);
}

QString TPrintEtikett::XmlLine() const {
    return FormatStr(
        QStringLiteral("<etikett name=\"%s\" width=\"%d\" height=\"%d\" withborder=\"%s\">"),
        {XmlEscape(name), width, height, BoolToXml(withborder)});
}

// ---- TPrintEtikettObjectList ----
