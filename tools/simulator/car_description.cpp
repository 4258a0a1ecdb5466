#include "simulator/car_description.h"

#include "common/errors.h"

namespace kelvra::simulator {

CarDescription DefaultCar() {
  CarDescription car;
  car.name = "Citadine 1.4 16v";
  car.torqueCurve = {{750, 95},   {1000, 105}, {1500, 118}, {2000, 128}, {2500, 136},
                     {3000, 143}, {3500, 149}, {4000, 152}, {4500, 151}, {5000, 147},
                     {5500, 141}, {6000, 130}, {6500, 115}, {7000, 95}};
  car.idleRpm = 750;
  car.redlineRpm = 6500;
  car.gearSpeedsPer1000 = {7.5, 13, 19, 25.5, 32, 38};
  car.massKg = 1200;
  car.dragAreaM2 = 0.66;
  car.rollingCoefficient = 0.012;
  car.airDensity = 1.2;
  car.transmissionLossPercent = 12;
  car.wheelRadiusM = 0.29;
  car.wheelsInertia = 3.2;
  car.engineInertia = 0.15;
  car.displacementCm3 = 1400;
  car.fuelLevelPercent = 62;
  car.unsupportedPids = {0x0A, 0x2C};
  return car;
}

double TorqueAt(const CarDescription& car, double rpm) {
  const auto& curve = car.torqueCurve;
  if (curve.empty())
    return 0;
  if (rpm <= curve.front().rpm)
    return curve.front().torqueNm;
  for (size_t i = 1; i < curve.size(); ++i) {
    if (rpm <= curve[i].rpm) {
      const TorquePoint& a = curve[i - 1];
      const TorquePoint& b = curve[i];
      return a.torqueNm + (b.torqueNm - a.torqueNm) * (rpm - a.rpm) / (b.rpm - a.rpm);
    }
  }
  return curve.back().torqueNm;
}

void CheckCar(const CarDescription& car) {
  const auto fail = [](const std::string& what) { throw Error("Voiture invalide : " + what); };
  if (car.torqueCurve.size() < 2)
    fail("la courbe de couple demande au moins deux points");
  for (size_t i = 0; i < car.torqueCurve.size(); ++i) {
    if (car.torqueCurve[i].torqueNm < 0)
      fail("couple négatif dans la courbe");
    if (i > 0 && car.torqueCurve[i].rpm <= car.torqueCurve[i - 1].rpm)
      fail("les régimes de la courbe de couple doivent croître");
  }
  if (car.idleRpm <= 0 || car.redlineRpm <= car.idleRpm)
    fail("le régime de ralenti doit être positif et inférieur à la zone rouge");
  if (car.redlineRpm > 16383)
    fail("la zone rouge dépasse ce qu'une réponse OBD peut porter (16383 tr/mn)");
  if (car.gearSpeedsPer1000.empty() || car.gearSpeedsPer1000.size() > 6)
    fail("il faut de 1 à 6 rapports");
  for (double speed : car.gearSpeedsPer1000) {
    if (speed <= 0)
      fail("chaque rapport doit donner une vitesse positive à 1000 tr/mn");
  }
  if (car.massKg <= 0 || car.wheelRadiusM <= 0 || car.airDensity <= 0)
    fail("masse, rayon de roue et densité de l'air doivent être positifs");
  if (car.dragAreaM2 < 0 || car.rollingCoefficient < 0 || car.wheelsInertia < 0 ||
      car.engineInertia < 0 || car.displacementCm3 < 0)
    fail("SCx, Crr, inerties et cylindrée ne peuvent pas être négatifs");
  if (car.transmissionLossPercent < 0 || car.transmissionLossPercent >= 100)
    fail("les pertes de transmission doivent être entre 0 et 100 %");
  if (car.fuelLevelPercent < 0 || car.fuelLevelPercent > 100)
    fail("le niveau d'essence doit être entre 0 et 100 %");
}

}  // namespace kelvra::simulator
