// The messages of a press, and where they are shown.
#pragma once

#include <QString>
#include <QStringList>
#include <exception>

namespace vapomet {

// The messages of validation and of the run.
inline const QString kInvalidNumber =
    QStringLiteral("Please try again, this time with a valid number");
inline const QString kInvalidPressure = QStringLiteral("Invalid Pressure .... please retry");
inline const QString kInvalidTemperature = QStringLiteral("Invalid Temperature .... please retry");
inline const QString kInvalidRegion = QStringLiteral(" Invalid Region - Recheck Input Data ....");
inline const QString kComputationError = QStringLiteral(" Error in Computation .... aborting");
inline const QString kFailedToConverge = QStringLiteral("Failed to converge ....");

// The messages a run ends with when a routine throws `fault`: a region-3 density that was not
// found says so before the computation error.
QStringList FaultMessages(const std::exception& fault);

// The message of a failure of the library, without the routine's name before it:
// "h above the largest enthalpy at P = 5 MPa ...".
QString MessageOf(const std::exception& failure);

// Shows one message to the user: modal, OK button only, no icon, caption "Vapomet"; returns
// when the user has closed it.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const QString& text) = 0;
};

}  // namespace vapomet
