// Stands in for a library an attacker plants in a downloads folder. A program
// that loads it could be made to run its code; the marker shows it was loaded.
extern "C" __declspec(dllexport) int PlantedMarker() {
    return 1;
}
