#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include "app/dialogs.h"
#include "labels/printetikett.h"
#include "labels/printetikettform.h"
#include "labels/printetikettmanager.h"
#include "testsupport.h"

namespace {

QString peGolden(const char* name) {
    return QStringLiteral(KWP_TEST_DATA_DIR "/") + QLatin1String(name);
}

// An element kind the file format does not know, as a plug-in of the designer might add.
class PeForeignElement : public TPrintEtikettElement {
public:
    explicit PeForeignElement(TPrintEtikett* owner) : TPrintEtikettElement(owner) {}
    void Paint(QPainter&) override {}
    std::unique_ptr<TPrintEtikettElement> Copy(TPrintEtikett* owner) const override {
        auto copy = std::make_unique<PeForeignElement>(owner);
        copyBaseTo(*copy);
        return copy;
    }
    QString XmlLine() const override { return QStringLiteral("<fremd/>"); }
};

// Two forms and two labels with every field away from its default.
void peFillExample(TPrintEtikettManager& manager) {
    TPrintEtikettForm* sheet = manager.forms().Add();
    sheet->name = QStringLiteral("A4 \"Standard\" 3 x 2 & Rand");
    sheet->width = 2100, sheet->height = 2970;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            TPrintEtikettHolder* position = sheet->positions.Add();
            position->name = QStringLiteral("Adresse");
            position->left = column * 700, position->top = 45 + row * 360;
        }
    }
    sheet->positions.Add()->name = QStringLiteral("Gibt es nicht");

    TPrintEtikettForm* roll = manager.forms().Add();
    roll->name = QStringLiteral("Rolle 89 x 36 quer");
    roll->type = TPrintEtikettForm::ftCustom, roll->orientation = false;
    roll->width = 890, roll->height = 360;
    TPrintEtikettHolder* single = roll->positions.Add();
    single->name = QStringLiteral("adresse");
    single->left = -5, single->top = 12;

    TPrintEtikett* label = manager.labels().Add();
    label->name = QStringLiteral("Adresse");
    label->width = 700, label->height = 360, label->withborder = true;
    auto variable = std::make_unique<TPrintEtikettElementVariable>(label);
    variable->name = QStringLiteral("Anschrift <Block>\r\n'Müller' & Söhne");
    variable->left = 50, variable->top = 60, variable->width = 450, variable->height = 250;
    variable->var = QStringLiteral("1041112");
    variable->fname = QStringLiteral("Times New Roman");
    variable->vartype = 2, variable->ortp = true, variable->color = 255, variable->bold = true;
    variable->underl = true, variable->ralign = true, variable->fsize = 12, variable->wwrap = true;
    label->elements.Add(std::move(variable));
    auto frame = std::make_unique<TPrintEtikettElementObject>(label);
    frame->name = QStringLiteral("Rahmen");
    frame->width = 700, frame->height = 360;
    frame->objtype = TPrintEtikettElementObject::otRectangle;
    frame->color = 0xC0C0C0, frame->fill = true, frame->fillcolor = 0xFFFFFF;
    frame->linewidth = 3, frame->style = 2;
    label->elements.Add(std::move(frame));
    auto code = std::make_unique<TPrintEtikettElementBarcode>(label);
    code->name = QStringLiteral("Nr.");
    code->left = 500, code->top = 250, code->width = 180, code->height = 80;
    code->var = QStringLiteral("1041000");
    code->barcode = 6, code->showtext = 3, code->showtextpos = 2;
    label->elements.Add(std::move(code));

    TPrintEtikett* empty = manager.labels().Add();
    empty->name = QStringLiteral("Leer");
    empty->width = -1, empty->height = 0;
}

// "form(position,...)" per form, then "|" and "label(element,...)" per label.
QString peSummary(const TPrintEtikettManager& manager) {
    QStringList forms, labels;
    for (const auto& form : manager.forms()) {
        QStringList names;
        for (const auto& position : form->positions) names.append(position->name);
        forms.append(form->name + u'(' + names.join(u',') + u')');
    }
    for (const auto& label : manager.labels()) {
        QStringList names;
        // An element that does not know its label shows up in the summary.
        for (const auto& element : label->elements)
            names.append(element->name + (element->owner() == label.get() ? "" : "!"));
        labels.append(label->name + u'(' + names.join(u',') + u')');
    }
    return forms.join(u';') + u'|' + labels.join(u';');
}

// The text fields of the first form and label of peFillExample.
QList<QString*> peTextFields(TPrintEtikettManager& manager) {
    TPrintEtikettForm* f = manager.forms().Items(0);
    TPrintEtikett* l = manager.labels().Items(0);
    auto* v = dynamic_cast<TPrintEtikettElementVariable*>(l->elements.Items(0));
    auto* c = dynamic_cast<TPrintEtikettElementBarcode*>(l->elements.Items(2));
    if (!v || !c) return {};
    return {&f->name,  &f->positions.Items(0)->name, &l->name, &v->name, &v->var,
            &v->fname, &l->elements.Items(1)->name,  &c->name, &c->var};
}

QString& valueOf(TPrintEtikettElement* element) {
    if (auto* code = dynamic_cast<TPrintEtikettElementBarcode*>(element)) return code->Value;
    return static_cast<TPrintEtikettElementVariable*>(element)->Value;
}

}  // namespace

class TestPrintEtikett : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedFileMatchesGolden_data() {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("golden");
        QTest::newRow("empty") << false << peGolden("labels_empty.xml");
        QTest::newRow("two forms, two labels") << true << peGolden("labels_example.xml");
    }
    void savedFileMatchesGolden() {
        QFETCH(bool, filled);
        QFETCH(QString, golden);
        QTemporaryDir dir;
        const QString path = dir.filePath("LABELS_ADDRESS.XML");
        TPrintEtikettManager manager;
        if (filled) peFillExample(manager);
        // Drawing state is not stored: loaded positions are active and have no label yet.
        for (const auto& form : manager.forms()) {
            for (const auto& position : form->positions)
                position->Active = false, position->Resolve(manager);
        }
        manager.SaveToFile(path);
        const QByteArray expected = ReadFileBytes(golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ReadFileBytes(path), expected);

        // Every stored field is written, so an equal second file means an equal manager. A
        // stream is read from its start, wherever it stands.
        QByteArray bytes = expected;
        QBuffer stream(&bytes);
        QVERIFY(stream.open(QIODevice::ReadOnly) && stream.seek(bytes.size()));
        TPrintEtikettManager loaded;
        loaded.LoadFromStream(&stream);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        for (const auto& form : loaded.forms()) {
            for (const auto& position : form->positions)
                QVERIFY(position->Active && !position->LabelCopy);
        }
        loaded.SaveToFile(dir.filePath("AGAIN.XML"));
        QCOMPARE(ReadFileBytes(dir.filePath("AGAIN.XML")), expected);
    }

    void textsSurviveSaveAndLoad_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("line breaks, blanks, directives, unicode, entity text")
            << "  Zeile 1\r\nZeile 2\nZeile 3\r100 %s %d %% %n Ærø € 日本語 😀 &amp; &#13; &lt;  ";
    }
    void textsSurviveSaveAndLoad() {
        QFETCH(QString, text);
        TPrintEtikettManager manager, loaded;
        peFillExample(manager);
        for (QString* field : peTextFields(manager)) *field = text;
        QTemporaryDir dir;
        manager.SaveToFile(dir.filePath("LABELS_ADDRESS.XML"));
        loaded.LoadFromFile(dir.filePath("LABELS_ADDRESS.XML"));
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(loaded.labels().Items(0)->elements.Count(), 3);
        const QList<QString*> fields = peTextFields(loaded);
        QCOMPARE(fields.size(), 9);
        for (const QString* field : fields) QCOMPARE(*field, text);
        // The label found for the position is the renamed one.
        QVERIFY(loaded.forms().Items(0)->positions.Items(0)->Resolve(loaded));
    }

    // Each row reads one hand-written element and expects one line of the file written back.
    // Each row reads hand-written elements and expects these lines in the file written back.
    void attributesAreReadTolerantly_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("lines");
        const QString label =
            QStringLiteral(R"(    <etikett name="" width="%1" height="%2" withborder="%3">)");
        const QString form = QStringLiteral(
            R"(    <formular name="" type="%1" orientation="%2" width="%3" height="%4">)");
        const QString variable = QStringLiteral(
            R"(      <etikettvar name="" left="0" top="0" width="100" height="100" var="" )"
            R"(vartype="%1" ortp="0" fname="%2" color="%3" bold="0" italic="0" underl="0" )"
            R"(ralign="0" fsize="%4" wwrap="0"/>)");
        const QString object = QStringLiteral(
            R"(      <etikettobj name="" left="0" top="0" width="100" height="100" )"
            R"(objtype="%1" color="0" fill="0" fillcolor="0" linewidth="%2" style="%3"/>)");
        const QString code = QStringLiteral(
            R"(      <etikettbarc name="" left="0" top="0" width="100" height="100" var="" )"
            R"(barcode="%1" showtext="%2" showtextpos="%3"/>)");
        const auto row = [](const char* name, const char* body, const QStringList& lines) {
            QTest::newRow(name) << QString::fromUtf8(body) << lines;
        };
        // Not a different number: "4,0" must not become 40.
        row("units and separators read 0", R"(<etikett width="12mm" height="4,0"/>)",
            {label.arg("0", "0", "0")});
        row("empty number reads 0, not the default", R"(<etikett width="" height="hoch"/>)",
            {label.arg("0", "0", "0")});
        row("extreme numbers", R"(<etikett width="2147483647" height="-2147483648"/>)",
            {label.arg("2147483647", "-2147483648", "0")});
        row("custom form without size", R"(<formular type="1"/>)", {form.arg("1", "-1", "0", "0")});
        row("orientation 0 is landscape", R"(<formular orientation="0"/>)",
            {form.arg("0", "0", "0", "0")});
        row("malformed orientation is portrait", R"(<formular orientation="quer"/>)",
            {form.arg("0", "-1", "0", "0")});
        row("withborder 1", R"(<etikett withborder="1"/>)", {label.arg("1000", "400", "-1")});
        row("malformed withborder is false", R"(<etikett withborder="ja"/>)",
            {label.arg("1000", "400", "0")});
        row("bytes keep their low 8 bits",
            R"(<formular type="257"/><etikett/><etikettvar vartype="258"/>)"
            R"(<etikettobj objtype="256" style="-250"/>)"
            R"(<etikettbarc barcode="262" showtext="511" showtextpos="x"/>)",
            {form.arg("1", "-1", "0", "0"), variable.arg("2", "Arial", "0", "10"),
             object.arg("0", "1", "6"), code.arg("6", "255", "0")});
        row("vartype -1", R"(<etikett/><etikettvar vartype="-1"/>)",
            {variable.arg("255", "Arial", "0", "10")});
        row("empty font name stays empty", R"(<etikett/><etikettvar fname=""/>)",
            {variable.arg("0", "", "0", "10")});
        row("system colour, font size with unit reads 0",
            R"(<etikett/><etikettvar color="-16777201" fsize="12pt"/>)",
            {variable.arg("0", "Arial", "-16777201", "0")});
    }
    void attributesAreReadTolerantly() {
        QFETCH(QString, body);
        QFETCH(QStringList, lines);
        ScriptedDialogs dialogs;
        TPrintEtikettManager manager;
        QVERIFY(manager.LoadFromXML(QStringLiteral("<etiketten>") + body +
                                    QStringLiteral("</etiketten>")));
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        const QStringList written = manager.GetXMLBody(true).split(QStringLiteral("\r\n"));
        for (const QString& line : lines)
            QVERIFY2(written.contains(line), qPrintable(written.join(u'\n')));
    }

    void elementsAreFoundByNameWherever_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("summary");
        QTest::newRow("usual nesting")
            << R"(<formularlist><formular name="F"><etikettref name="a"/><etikettref name="b"/>)"
               R"(</formular></formularlist><etikettlist><etikett name="L"><etikettvar name="v"/>)"
               R"(<etikettobj name="o"/><etikettbarc name="c"/></etikett></etikettlist>)"
            << "F(a,b)|L(v,o,c)";
        QTest::newRow("without wrapping lists")
            << R"(<formular name="F"/><etikettref name="a"/><etikett name="L"/><etikettvar name="v"/>)"
            << "F(a)|L(v)";
        QTest::newRow("position before any form is dropped")
            << R"(<etikettref name="x"/><formular name="F"/><etikettref name="a"/>)"
            << "F(a)|";
        QTest::newRow("element before any label is dropped")
            << R"(<etikettvar name="x"/><etikettobj name="z"/><etikettbarc name="y"/>)"
               R"(<etikett name="L"/><etikettobj name="o"/>)"
            << "|L(o)";
        QTest::newRow("element after the end tag joins the last label")
            << R"(<etikett name="L1"></etikett><etikett name="L2"></etikett><etikettbarc name="c"/>)"
            << "|L1();L2(c)";
        QTest::newRow("position inside a label joins the last form")
            << R"(<formular name="F1"/><formular name="F2"/><etikett name="L"><etikettref name="r"/>)"
               R"(</etikett>)"
            << "F1();F2(r)|L()";
        QTest::newRow("forms and labels interleaved keep file order")
            << R"(<etikett name="L1"/><formular name="F1"/><etikett name="L2"/><formular name="F2"/>)"
               R"(<etikettref name="r"/><etikettvar name="v"/>)"
            << "F1();F2(r)|L1();L2(v)";
        QTest::newRow("elements nested in elements")
            << R"(<formular name="F"><etikett name="L"><etikettvar name="v"><etikettobj name="o"/>)"
               R"(</etikettvar></etikett><etikettref name="r"/></formular>)"
            << "F(r)|L(v,o)";
        QTest::newRow("unknown elements and text are ignored")
            << R"(Text<fremd name="x"><etikett name="L">mehr Text<etikettbild name="b"/>)"
               R"(<etikettvar name="v"><![CDATA[Daten]]></etikettvar></etikett></fremd>)"
               R"(<formularliste><etikettreference name="z"/></formularliste>)"
            << "|L(v)";
    }
    void elementsAreFoundByNameWherever() {
        QFETCH(QString, body);
        ScriptedDialogs dialogs;
        // Content of an earlier file is gone; strays must not join its forms and labels.
        TPrintEtikettManager manager;
        peFillExample(manager);
        QVERIFY(manager.LoadFromXML(QStringLiteral("<etiketten>") + body +
                                    QStringLiteral("</etiketten>")));
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        QTEST(peSummary(manager), "summary");
    }

    void findLabelCopy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");  // of the label found, 0 for none
        QTest::newRow("exact") << "Adresse" << 700;
        QTest::newRow("other case finds the first") << "ADRESSE" << 700;
        QTest::newRow("umlaut in other case") << "größe" << 500;
        QTest::newRow("prefix is no match") << "Adress" << 0;
        QTest::newRow("blank is no match") << "Adresse " << 0;
        QTest::newRow("empty name finds the unnamed label") << "" << 300;
        QTest::newRow("unknown") << "Paket" << 0;
    }
    void findLabelCopy() {
        QFETCH(QString, name);
        TPrintEtikettManager manager;
        for (const auto& [labelName, width] : QList<QPair<const char*, int>>{{"Adresse", 700},
                                                                             {"ADRESSE", 800},
                                                                             {"GRÖSSE", 400},
                                                                             {"GRÖSSE", 450},
                                                                             {"Größe", 500},
                                                                             {"", 300},
                                                                             {"adresse", 900}}) {
            TPrintEtikett* label = manager.labels().Add();
            label->name = QString::fromUtf8(labelName), label->width = width;
        }
        const std::unique_ptr<TPrintEtikett> copy = manager.FindLabelCopy(name);
        QTEST(copy ? copy->width : 0, "width");
        for (const auto& label : manager.labels()) QVERIFY(label.get() != copy.get());
    }

    void labelCopyIsIndependent() {
        TPrintEtikettManager manager;
        peFillExample(manager);
        TPrintEtikett* source = manager.labels().Items(0);
        source->elements.Add(std::make_unique<PeForeignElement>(source));
        valueOf(source->elements.Items(0)) = QStringLiteral("Firma\r\nMuster");
        valueOf(source->elements.Items(2)) = QStringLiteral("K10001");
        source->OriginX = 700, source->OriginY = 360, source->DpiX = 300, source->DpiY = 600;
        source->DesignMode = source->ShowFrames = true;
        source->SelectedElement = source->elements.Items(1);

        const std::unique_ptr<TPrintEtikett> copy = source->Copy();
        QCOMPARE(copy->XmlLine(), source->XmlLine());
        QCOMPARE(copy->elements.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            const TPrintEtikettElement* element = copy->elements.Items(i);
            QCOMPARE(element->owner(), copy.get());
            QVERIFY(element != source->elements.Items(i));
            QCOMPARE(element->Kind, source->elements.Items(i)->Kind);
            QCOMPARE(element->XmlLine(), source->elements.Items(i)->XmlLine());
        }
        QCOMPARE(valueOf(copy->elements.Items(0)), QStringLiteral("Firma\r\nMuster"));
        QCOMPARE(valueOf(copy->elements.Items(2)), QStringLiteral("K10001"));
        // Drawing state is the copy's own.
        QCOMPARE(QPoint(copy->OriginX, copy->OriginY), QPoint(0, 0));
        QVERIFY(!copy->DesignMode && !copy->ShowFrames && !copy->SelectedElement);
        QCOMPARE(QPoint(copy->DpiX, copy->DpiY),
                 QPoint(TPrintEtikett::ScreenDpi(), TPrintEtikett::ScreenDpi()));
        // Filling the copy leaves the label of the file alone.
        valueOf(copy->elements.Items(0)) = QStringLiteral("anders");
        copy->elements.Items(0)->name = QStringLiteral("umbenannt");
        copy->width = 1;
        QCOMPARE(valueOf(source->elements.Items(0)), QStringLiteral("Firma\r\nMuster"));
        QVERIFY(source->elements.Items(0)->name.startsWith(QStringLiteral("Anschrift")));
        QCOMPARE(source->width, 700);
        QCOMPARE(source->elements.Items(0)->owner(), source);
    }

    void unknownElementKindsAreNotWritten() {
        TPrintEtikettManager manager;
        TPrintEtikett* label = manager.labels().Add();
        label->name = QStringLiteral("L");
        label->elements.Add(std::make_unique<PeForeignElement>(label));
        label->elements.Add(std::make_unique<TPrintEtikettElementObject>(label))->name =
            QStringLiteral("Linie");
        // A known class that claims another kind is left out as well.
        label->elements.Add(std::make_unique<TPrintEtikettElementVariable>(label))->Kind =
            TPrintEtikettElement::ekUnknown;
        const QStringList lines = manager.GetXMLBody(true).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 10);
        QVERIFY(lines.at(5).startsWith(QStringLiteral("      <etikettobj name=\"Linie\"")));
        QCOMPARE(lines.at(6), QStringLiteral("    </etikett>"));
        QCOMPARE(label->Copy()->elements.Count(), 1);
    }

    // Positions find their labels when they are drawn, not while the file is read.
    void positionsResolveAtDrawingTime() {
        ScriptedDialogs dialogs;
        TPrintEtikettManager manager;
        QVERIFY(manager.LoadFromXML(QStringLiteral(
            "<etiketten><formularlist><formular name=\"F\">"
            "<etikettref name=\"Paket\" left=\"700\" top=\"45\"/>"
            "<etikettref name=\"paket\" left=\"0\" top=\"405\"/>"
            "<etikettref name=\"Fehlt\" left=\"10\" top=\"10\"/>"
            "</formular></formularlist><etikettlist>"
            "<etikett name=\"PAKET\" width=\"890\"><etikettvar name=\"v\" var=\"1041112\"/>"
            "</etikett><etikett name=\"Paket\" width=\"100\"/></etikettlist></etiketten>")));
        TPrintEtikettHolderObjectList& positions = manager.forms().Items(0)->positions;
        TPrintEtikettHolder* first = positions.Items(0);
        QVERIFY(!first->LabelCopy);
        TPrintEtikett* copy = first->Resolve(manager);
        QVERIFY(copy);
        QCOMPARE(copy->width, 890);  // the first label of that name
        QCOMPARE(QPoint(copy->OriginX, copy->OriginY), QPoint(700, 45));
        QCOMPARE(copy->elements.Count(), 1);
        // The copy is kept; a moved position moves it.
        valueOf(copy->elements.Items(0)) = QStringLiteral("Adresse 1");
        first->left = 1400;
        QCOMPARE(first->Resolve(manager), copy);
        QCOMPARE(copy->OriginX, 1400);
        QCOMPARE(valueOf(copy->elements.Items(0)), QStringLiteral("Adresse 1"));
        // Every position has a copy of its own.
        TPrintEtikett* other = positions.Items(1)->Resolve(manager);
        QVERIFY(other && other != copy);
        QCOMPARE(other->OriginY, 405);
        QCOMPARE(valueOf(other->elements.Items(0)), QString());
        // A missing label is looked up again on the next drawing.
        TPrintEtikettHolder* missing = positions.Items(2);
        QVERIFY(!missing->Resolve(manager) && !missing->LabelCopy);
        manager.labels().Add()->name = QStringLiteral("fehlt");
        QVERIFY(missing->Resolve(manager));
        QCOMPARE(missing->LabelCopy->OriginX, 10);
    }
};

KWP_REGISTER_TEST(TestPrintEtikett)
#include "tst_printetikett.moc"
