// Up to eight GL spot lights on orbits driven by the oscillator bank.
#pragma once

constexpr int kMaxLights = 8;

// Global ambient, material specular and spot shape; switches the lights on.
void SetupAmbientLight(int count, float ambient, float specular);
// Colours every light and places it on its orbit, distance from the origin.
void UpdateSpotLights(int count, float ambientLevel, float diffuseLevel, float specularLevel,
                      float brightness, float distance);
