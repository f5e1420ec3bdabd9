#pragma once
// Form1 (point editor) and Form2 (parameters) of the tooltip module.
