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

        // Every stored field is written, so an equal second file means an equal manager.
        TPrintEtikettManager loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        for (const auto& form : loaded.forms()) {
            for (const auto& position : form->positions)
                QVERIFY(position->Active && !position->LabelCopy);
        }
        loaded.SaveToFile(dir.filePath("AGAIN.XML"));
        QCOMPARE(ReadFileBytes(dir.filePath("AGAIN.XML")), expected);
    }

    void textsSurviveSaveAndLoad() {
        const QString text =
            "  Zeile 1\r\nZeile 2\nZeile 3\r100 %s %d %% %n Ærø € 日本語 😀 &amp; &#13; &lt;  ";
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

    // Strays before any form or label, interleaving without lists, unknown elements and text:
    // the nesting the program writes is read back in savedFileMatchesGolden.
    void elementsAreFoundByNameWherever() {
        ScriptedDialogs dialogs;
        TPrintEtikettManager manager;
        QVERIFY(manager.LoadFromXML(QStringLiteral(
            R"(<etiketten><etikettvar name="x"/><etikettref name="y"/>Text<fremd name="f">)"
            R"(<etikett name="L1"/><formular name="F1"/><etikett name="L2"><etikettbild name="b"/>)"
            R"(</etikett><formular name="F2"/></fremd><etikettref name="r"/><etikettvar name="v">)"
            R"(<![CDATA[Daten]]></etikettvar><formularliste><etikettreference name="z"/>)"
            R"(</formularliste></etiketten>)")));
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        QCOMPARE(peSummary(manager), QStringLiteral("F1();F2(r)|L1();L2(v)"));
    }

    void labelCopyIsIndependent() {
        TPrintEtikettManager manager;
        peFillExample(manager);
        TPrintEtikett* source = manager.labels().Items(0);
        valueOf(source->elements.Items(0)) = QStringLiteral("Firma\r\nMuster");

        const std::unique_ptr<TPrintEtikett> copy = source->Copy();
        QCOMPARE(copy->XmlLine(), source->XmlLine());
        QCOMPARE(copy->elements.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            const TPrintEtikettElement* element = copy->elements.Items(i);
            QVERIFY(element->owner() == copy.get() && element != source->elements.Items(i));
            QCOMPARE(element->XmlLine(), source->elements.Items(i)->XmlLine());
        }
        QCOMPARE(valueOf(copy->elements.Items(0)), QStringLiteral("Firma\r\nMuster"));
    }

    // Positions find their labels when they are drawn, not while the file is read; names
    // match in any case, but ß is not SS.
    void positionsResolveAtDrawingTime() {
        ScriptedDialogs dialogs;
        TPrintEtikettManager manager;
        QVERIFY(manager.LoadFromXML(QStringLiteral(
            "<etiketten><formularlist><formular name=\"F\">"
            "<etikettref name=\"Größe\" left=\"700\" top=\"45\"/>"
            "<etikettref name=\"größe\" left=\"0\" top=\"405\"/>"
            "</formular></formularlist><etikettlist><etikett name=\"GRÖSSE\" width=\"400\"/>"
            "<etikett name=\"GRÖßE\" width=\"890\"><etikettvar name=\"v\" var=\"1041112\"/>"
            "</etikett><etikett name=\"Größe\" width=\"100\"/></etikettlist></etiketten>")));
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
    }
};

KWP_REGISTER_TEST(TestPrintEtikett)
#include "tst_printetikett.moc"
