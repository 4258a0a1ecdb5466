#include "qt/qt_serial_port.h"

#include <QDir>
#include <QSerialPortInfo>
#include <algorithm>

#include "common/errors.h"

namespace kelvra::qt {

QtSerialPort::QtSerialPort(form::Services& services) : services_(services) {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] { BytesArrived(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError error) { ErrorOccurred(error); });
}

QtSerialPort::~QtSerialPort() {
  events_ = nullptr;
  port_.close();
}

void QtSerialPort::Open(const link::PortSettings& settings) {
  if (port_.isOpen())
    return;
  settings_ = settings;
  port_.setPortName(QString::fromStdString(settings.name));
  port_.setBaudRate(settings.baudRate);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  reporting_ = false;
  if (!port_.open(QIODevice::ReadWrite)) {
    const QString why = port_.errorString();
    port_.clearError();
    throw Error(QStringLiteral("Impossible d'ouvrir le port %1 : %2")
                    .arg(QString::fromStdString(settings.name), why)
                    .toStdString());
  }
  // Pseudo-terminals and some adapters have no modem lines: a refusal here is no line error.
  port_.setDataTerminalReady(false);
  port_.setRequestToSend(false);
  port_.clearError();
  reporting_ = true;
  if (events_ != nullptr)
    events_->PortOpened();
}

void QtSerialPort::Close() {
  if (!port_.isOpen())
    return;
  reporting_ = false;
  port_.close();
  if (events_ != nullptr)
    events_->PortClosed();
}

void QtSerialPort::Write(std::string_view bytes) {
  if (!port_.isOpen() || bytes.empty())
    return;
  port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSerialPort::BytesArrived() {
  const QByteArray data = port_.readAll();
  if (data.isEmpty() || events_ == nullptr)
    return;
  services_.DispatchSeparate([&] {
    if (events_ != nullptr)
      events_->BytesReceived(std::string_view(data.constData(), data.size()));
  });
  if (settings_.eventCharEnabled && data.contains(settings_.eventChar)) {
    services_.DispatchSeparate([&] {
      if (events_ != nullptr)
        events_->EventCharReceived();
    });
  }
}

void QtSerialPort::ErrorOccurred(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || !reporting_)
    return;
  const std::string why = port_.errorString().toStdString();
  port_.clearError();
  services_.DispatchSeparate([&] {
    if (events_ != nullptr)
      events_->PortError(why);
  });
  // The device went away (cable pulled, line hung up): the port cannot be used any more.
  if (error == QSerialPort::ResourceError)
    services_.DispatchSeparate([&] { Close(); });
}

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ports.push_back(info.systemLocation().toStdString());
  }
  // Bluetooth serial links are not always enumerated.
  for (const QString& name :
       QDir(QStringLiteral("/dev")).entryList({QStringLiteral("rfcomm*")}, QDir::System)) {
    ports.push_back(("/dev/" + name).toStdString());
  }
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

}  // namespace kelvra::qt
