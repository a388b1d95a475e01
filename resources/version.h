/* The version, in every form the program shows it; read by kivora.rc, the code
   and CMake. Plain #defines so that windres reads them too. */
#ifndef KIVORA_VERSION_H
#define KIVORA_VERSION_H

#define KIVORA_VERSION_NUMBERS 1, 5, 0, 0
#define KIVORA_VERSION_DOTTED "1.5.0.0"
#define KIVORA_VERSION_TITLE "v1.50"        /* in the product title */
#define KIVORA_VERSION_ABOUT "Version 1.50" /* in the about box */

#endif
