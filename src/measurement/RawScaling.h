#pragma once

namespace varelo {

class CMeasurementJob;

// Factors from the Logger's raw integers to physical units, built once per measurement from
// its job. Every factor is finite: a missing range, a transformer with secondary 0 or a
// nominal voltage of 0 gives a factor of 0, so values scale to 0 instead of to inf or NaN.
class CRawScaling {
  public:
    // Voltage harmonics: volts per raw unit relative to the input range.
    static constexpr double kHarmonicFactor = 4.201281777397992e-05;
    // Raw full scale of voltages, currents and powers, and of fundamental values of A and P.
    static constexpr double kFullScale = 17600;
    static constexpr double kFundamentalFullScaleAP = 23800;

    double PowerScale = 0;  // W per raw unit
    bool IsAorP = false;
    bool IsFunctionA = false;
    bool IsFunctionP = false;
    bool IsPhaseToPhase = false;
    bool IsAorPPhaseToPhase = false;
    bool IsSplitPhase = false;
    int FileVersion = 102;  // 100, 101 or 102
    int FirmwareGeneration = 0;
    double CurrScale = 0;
    double CurrH1Scale = 0;
    double NeutralScale = 0;
    double NeutralH1Scale = 0;
    double VoltScale = 0;
    double VoltH1Scale = 0;
    double NomVolt = 0;  // V
    double HarmPercentScale = 0;
    double HarmAbsScale = 0;
    double HarmRmsScale = 0;
    double FreqScale = 0.01;
    double MilliScale = 0.001;
    // The job's interval length, for energies.
    int IntervalSeconds = 0;

    void Build(const CMeasurementJob& job, int fileVersion, int firmwareGeneration);

    // Relative harmonic values never exceed this many percent; the first file version kept a
    // lower limit.
    double PercentLimit() const { return FileVersion > 100 ? 1000.0 : 139.0; }
};

}  // namespace varelo
