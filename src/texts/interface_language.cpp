#include "texts/interface_language.h"

#include <QCoreApplication>

InterfaceTranslator::InterfaceTranslator(InterfaceLanguage language) {
    if (language == InterfaceLanguage::Polish) {
        return;
    }
    translator_ = std::make_unique<QTranslator>();
    loaded_ = translator_->load(QStringLiteral(":/i18n/hygrometer_en.qm")) &&
              QCoreApplication::installTranslator(translator_.get());
}

InterfaceTranslator::~InterfaceTranslator() {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
    }
}
