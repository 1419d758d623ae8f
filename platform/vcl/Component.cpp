#include "Component.h"

#include <QObject>
#include <QString>

std::string TComponent::Name() const { return object_.objectName().toStdString(); }

void TComponent::SetName(const std::string& name) { object_.setObjectName(QString::fromStdString(name)); }
