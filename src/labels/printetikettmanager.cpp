#include "labels/printetikettmanager.h"

TPrintEtikettManager::TPrintEtikettManager() = default;

TPrintEtikettManager::~TPrintEtikettManager() = default;

QString TPrintEtikettManager::className() const {
    return QStringLiteral("TPrintEtikettManager");
}

void TPrintEtikettManager::Clear() {
    // Forget the current objects first: they point into the lists.
    m_currentForm = nullptr;
    m_currentLabel = nullptr;
    m_forms.Clear();
    m_labels.Clear();
}

void TPrintEtikettManager::StartElement(const QString& namespaceUri, const QString& localName,
                                        const QString& qName, const TXmlAttributes& attributes) {
    Q_UNUSED(namespaceUri);
    Q_UNUSED(localName);
    CurrentElement = qName;
    if (qName == QLatin1String("formular")) {
        m_currentForm = m_forms.Add();
        m_currentForm->ReadAttributes(attributes);
    } else if (qName == QLatin1String("etikett")) {
        m_currentLabel = m_labels.Add();
        m_currentLabel->ReadAttributes(attributes);
    } else if (qName == QLatin1String("etikettref")) {
        if (m_currentForm) m_currentForm->positions.Add()->ReadAttributes(attributes);
    } else if (m_currentLabel) {
        std::unique_ptr<TPrintEtikettElement> element;
        if (qName == QLatin1String("etikettvar"))
            element = std::make_unique<TPrintEtikettElementVariable>(m_currentLabel);
        else if (qName == QLatin1String("etikettobj"))
            element = std::make_unique<TPrintEtikettElementObject>(m_currentLabel);
        else if (qName == QLatin1String("etikettbarc"))
            element = std::make_unique<TPrintEtikettElementBarcode>(m_currentLabel);
        if (element) m_currentLabel->elements.Add(std::move(element))->ReadAttributes(attributes);
    }
}

void TPrintEtikettManager::Characters(const QString& chunk) {
    Q_UNUSED(chunk);
}

void TPrintEtikettManager::EndElement(const QString& namespaceUri, const QString& localName,
                                      const QString& qName) {
    Q_UNUSED(namespaceUri);
    Q_UNUSED(localName);
    Q_UNUSED(qName);
    // The form and label stay current: a position or element after their end tag still
    // belongs to them.
    CurrentElement.clear();
}

void TPrintEtikettManager::WriteXML(TXmlContent, int) {
    // The rows are formatted already: a "%" in a name must not be taken as a directive again.
    const QString indent4 = QStringLiteral("    ");
    const QString indent6 = QStringLiteral("      ");
    WriteLine(QStringLiteral("<etiketten>"));
    WriteLine(QStringLiteral("  <formularlist>"));
    for (const auto& form : m_forms) {
        WriteLine(indent4 + form->XmlLine());
        for (const auto& position : form->positions) WriteLine(indent6 + position->XmlLine());
        WriteLine(QStringLiteral("    </formular>"));
    }
    WriteLine(QStringLiteral("  </formularlist>"));
    WriteLine(QStringLiteral("  <etikettlist>"));
    for (const auto& label : m_labels) {
        WriteLine(indent4 + label->XmlLine());
        for (const auto& element : label->elements) {
            switch (element->Kind) {
                case TPrintEtikettElement::ekVariable:
                case TPrintEtikettElement::ekObject:
                case TPrintEtikettElement::ekBarcode: {
                    const QString line = element->XmlLine();
                    if (!line.isEmpty()) WriteLine(indent6 + line);
                    break;
                }
                default:
                    break;
            }
        }
        WriteLine(QStringLiteral("    </etikett>"));
    }
    WriteLine(QStringLiteral("  </etikettlist>"));
    WriteLine(QStringLiteral("</etiketten>"));
}

std::unique_ptr<TPrintEtikett> TPrintEtikettManager::FindLabelCopy(const QString& name) const {
    for (const auto& label : m_labels) {
        if (label->name.compare(name, Qt::CaseInsensitive) == 0) return label->Copy();
    }
    return nullptr;
}
