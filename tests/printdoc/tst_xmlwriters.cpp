#include <expat.h>
#include <QtTest>
#include <functional>

#include "address/customeraddress.h"
#include "labels/printetikettmanager.h"
#include "printdoc/printarealayoutscore.h"
#include "testsupport.h"

namespace {

using XmlWriter = std::function<void(const QString& fileName, const QString& text)>;

// Text as pasted from anywhere: every C0 control, lone surrogates, non-characters, markup.
QString pastedText() {
    QString text = QStringLiteral("Anfang");
    for (char16_t c = 0; c < 0x20; ++c) text += QChar(c);
    text += QChar(0xD800) + QStringLiteral("x") + QChar(0xDC00) + QChar(0xFFFE) + QChar(0xFFFF);
    return text + QStringLiteral("\"'<>&%s]]> Grüße 😀 中 Ende");
}

void fillAddress(TCustomerAddress& r, const QString& text) {
    r.Wv = 1;
    for (QString* field : {&r.Id, &r.AddrGrp, &r.DisplayTxt, &r.CreatedBy, &r.ChangedBy,
                           &r.IdWeiterl, &r.WvTxt, &r.WvUser, &r.Sprache, &r.UstIdNr, &r.StNr})
        *field = text;
    for (QString* field : {&r.AlarmText, &r.ZInfo, &r.Info, &r.DebitorNr, &r.DebitorKreditlimit,
                           &r.DebitorVersicherung, &r.DebitorBonitaet, &r.KreditorNr, &r.OwnId,
                           &r.KreditorBearbeiter, &r.KndVerz})
        *field = text;
    r.Kennzeichen = {text, text};
    TCustomerAnschrift* a = r.Anschriften.Add();
    for (QString* field : {&a->Id, &a->Name1, &a->Name2, &a->Name3, &a->Name4, &a->Strasse,
                           &a->Land, &a->Plz, &a->Ort, &a->AArt})
        *field = text;
    TCustomerContact* contact = r.Kontakte.Add();
    contact->Name = text;
    TCustomerContactData* data = contact->Data.Add();
    data->CdName = data->CdValue = data->CdCaract = text;
    TPaymentWay* way = r.PaymentWays.Add();
    for (QString* field : {&way->Comm, &way->Inst, &way->BCode, &way->Acc, &way->Iban, &way->Bic})
        *field = text;
    r.PaymentTerms.Add();
    TDsnElement* extra = r.ExtraFields.Add();
    extra->ElementType = TDsnElement::etText;
    extra->Name = extra->TextValue = text;
}

// Empty when expat takes the whole document, else its message.
QString expatError(const QByteArray& document) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    QString error;
    if (XML_Parse(parser, document.constData(), int(document.size()), XML_TRUE) != XML_STATUS_OK)
        error = QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(parser))) +
                QStringLiteral(" in line %1").arg(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    return error;
}

}  // namespace

Q_DECLARE_METATYPE(XmlWriter)

class TestXmlWriters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pastedTextKeepsDocumentsWellFormed_data() {
        QTest::addColumn<XmlWriter>("write");
        QTest::newRow("address record") << XmlWriter([](const QString& file, const QString& text) {
            TCustomerAddress record;
            fillAddress(record, text);
            record.SaveToFile(file);
        });
        QTest::newRow("label layouts") << XmlWriter([](const QString& file, const QString& text) {
            TPrintEtikettManager manager;
            TPrintEtikettForm* form = manager.forms().Add();
            form->name = form->positions.Add()->name = text;
            TPrintEtikett* label = manager.labels().Add();
            label->name = text;
            auto variable = std::make_unique<TPrintEtikettElementVariable>(label);
            variable->name = variable->var = variable->fname = text;
            label->elements.Add(std::move(variable));
            auto barcode = std::make_unique<TPrintEtikettElementBarcode>(label);
            barcode->name = barcode->var = text;
            label->elements.Add(std::move(barcode));
            label->elements.Add(std::make_unique<TPrintEtikettElementObject>(label))->name = text;
            manager.SaveToFile(file);
        });
        QTest::newRow("print document") << XmlWriter([](const QString& file, const QString& text) {
            TPrintAreaLayoutsCore doc;
            doc.doctype = doc.titel = doc.pdffd = doc.pdffi = doc.form1 = doc.form2 = text;
            TPrintColumnLayout* layout = doc.HeaderLayouts.Add();
            layout->name = text;
            TPrintColumnLayoutItem* column = layout->Add();
            column->caption = column->captstyle = text;
            doc.SetPageParam(text, text + QStringLiteral("."));
            QVERIFY(doc.OpenFile(file));
            doc.WriteHeader();
            QVERIFY(doc.SelectHeaderLayout(text));
            doc.WritePageSet();
            doc.WritePageParams();
            doc.BeginParagraph();
            doc.BeginColumn(100, 0, 0);
            doc.WriteRow(text, {.wordWrap = true,
                                .fontColor = 1,
                                .fontSize = 10,
                                .fontStyle = text,
                                .fontName = text,
                                .withFormat = true});
            doc.EndColumn();
            doc.EndParagraph();
            QVERIFY(doc.CloseFile());
        });
    }
    void pastedTextKeepsDocumentsWellFormed() {
        QFETCH(XmlWriter, write);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("OUT.XML"));
        write(file, pastedText());
        const QByteArray document = ReadFileBytes(file);
        QVERIFY(document.size() > 100);
        QCOMPARE(expatError(document), QString());
    }
};

KWP_REGISTER_TEST(TestXmlWriters)
#include "tst_xmlwriters.moc"
