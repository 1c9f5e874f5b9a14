<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AreaTools</name>
    <message>
        <source>Messfeld hier setzen	Umschalt+Ziehen</source>
        <translation>Set measuring area here	Shift+Drag</translation>
    </message>
    <message>
        <source>Messfelder löschen</source>
        <translation>Clear measuring areas</translation>
    </message>
    <message>
        <source>Messfelder…</source>
        <translation>Measuring areas…</translation>
    </message>
    <message>
        <source>Messfeld %1 gesetzt: Spalten %2–%3, Zeilen %4–%5</source>
        <translation>Measuring area %1 set: columns %2–%3, rows %4–%5</translation>
    </message>
    <message>
        <source>Es sind schon vier Messfelder gesetzt; „Messfelder löschen“ macht Platz.</source>
        <translation>Four measuring areas are set already; “Clear measuring areas” makes room.</translation>
    </message>
    <message>
        <source>Dieses Messfeld ist schon gesetzt.</source>
        <translation>This measuring area is set already.</translation>
    </message>
</context>
<context>
    <name>AreaWindow</name>
    <message>
        <source>Messfelder</source>
        <translation>Measuring areas</translation>
    </message>
    <message>
        <source>Messfeld</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Zellen gelesen</source>
        <translation>Cells read</translation>
    </message>
    <message>
        <source>Mittel</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Höchste</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>Niedrigste</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>%1 von %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>ε</source>
        <translation>ε</translation>
    </message>
</context>
<context>
    <name>Background</name>
    <message>
        <source>unbekanntes Bildformat</source>
        <translation>unknown picture format</translation>
    </message>
    <message>
        <source>beschädigte Bilddaten</source>
        <translation>damaged picture data</translation>
    </message>
    <message>
        <source>Lesefehler</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>unbekannter Fehler</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 ist kein lesbares Bild: %2</source>
        <translation>Background picture %1 is not a readable picture: %2</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 fehlt</source>
        <translation>Background picture %1 is missing</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 ist keine gewöhnliche Datei</source>
        <translation>Background picture %1 is not a regular file</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 ist leer</source>
        <translation>Background picture %1 is empty</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 lässt sich nicht öffnen: %2</source>
        <translation>Background picture %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 ist zu groß (%2 × %3 Pixel)</source>
        <translation>Background picture %1 is too large (%2 × %3 pixels)</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 ist unvollständig – fehlende Zeilen schwarz</source>
        <translation>Background picture %1 is incomplete – missing rows black</translation>
    </message>
    <message>
        <source>Hintergrundbild %1 ist unvollständig</source>
        <translation>Background picture %1 is incomplete</translation>
    </message>
</context>
<context>
    <name>BackgroundControls</name>
    <message>
        <source>Hintergrundbild %1 geladen</source>
        <translation>Background picture %1 loaded</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Info über Torvak</source>
        <translation>About Torvak</translation>
    </message>
    <message>
        <source>Torvak Version %1</source>
        <translation>Torvak version %1</translation>
    </message>
    <message>
        <source>Eine Wärmebildkamera</source>
        <translation>A thermal camera</translation>
    </message>
    <message>
        <source>für den Unterricht</source>
        <translation>for the classroom</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Info über Torvak...</source>
        <translation>&amp;About Torvak...</translation>
    </message>
</context>
<context>
    <name>CTorvakDlg</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Löschen (Wärmebild)</source>
        <translation>Clear (thermal image)</translation>
    </message>
    <message>
        <source>Steuerung</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Messbereich verkleinern</source>
        <translation>Reduce scan range</translation>
    </message>
    <message>
        <source>Rücklauf</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>Stopp nach einem Durchlauf</source>
        <translation>Stop after one pass</translation>
    </message>
    <message>
        <source>in beiden Richtungen messen</source>
        <translation>measure in both directions</translation>
    </message>
    <message>
        <source>1-zeilig</source>
        <translation>1 row</translation>
    </message>
    <message>
        <source>4-zeilig</source>
        <translation>4 rows</translation>
    </message>
    <message>
        <source>Genauigkeit</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>Umgebung:</source>
        <translation>Ambient:</translation>
    </message>
    <message>
        <source>Mausposition:</source>
        <translation>Mouse:</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Max:</translation>
    </message>
    <message>
        <source>Min:</source>
        <translation>Min:</translation>
    </message>
    <message>
        <source>Mittelposition</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Bild Laden</source>
        <translation>Load picture</translation>
    </message>
    <message>
        <source>Webcam</source>
        <translation>Webcam</translation>
    </message>
    <message>
        <source>1. Kamera positionieren:</source>
        <translation>1. Position the camera:</translation>
    </message>
    <message>
        <source>3. als Hintergrundbild verwenden:</source>
        <translation>3. use as background picture:</translation>
    </message>
    <message>
        <source>2. Webcam-Bild speichern unter:</source>
        <translation>2. save the webcam picture as:</translation>
    </message>
    <message>
        <source>Transparenz</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Com 1</source>
        <translation>Com 1</translation>
    </message>
    <message>
        <source>Com 2</source>
        <translation>Com 2</translation>
    </message>
    <message>
        <source>Com 3</source>
        <translation>Com 3</translation>
    </message>
    <message>
        <source>Com 4</source>
        <translation>Com 4</translation>
    </message>
    <message>
        <source>Com 5</source>
        <translation>Com 5</translation>
    </message>
    <message>
        <source>Com 6</source>
        <translation>Com 6</translation>
    </message>
    <message>
        <source>Com 7</source>
        <translation>Com 7</translation>
    </message>
    <message>
        <source>Com 8</source>
        <translation>Com 8</translation>
    </message>
    <message>
        <source>Anordnung</source>
        <translation>Arrangement</translation>
    </message>
    <message>
        <source>Schrittweite</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Linkes Bild</source>
        <translation>Left picture</translation>
    </message>
    <message>
        <source>Rechtes Bild</source>
        <translation>Right picture</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Größe</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Seitenverhältnis beibehalten</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>Reset auf Startwerte</source>
        <translation>Reset to start values</translation>
    </message>
    <message>
        <source>Speichern (Screenshot)</source>
        <translation>Save (screenshot)</translation>
    </message>
    <message>
        <source>Mess-Pixel</source>
        <translation>Pixels</translation>
    </message>
    <message>
        <source>Weichzeichner</source>
        <translation>Smoothed</translation>
    </message>
    <message>
        <source>Bild Ausblenden</source>
        <translation>Hide picture</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Hintergrundbild sichtbar</source>
        <translation>Background visible</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Messwerte öffnen…</source>
        <translation>Open measured values…</translation>
    </message>
    <message>
        <source>Hintergrundbild wählen…</source>
        <translation>Choose background picture…</translation>
    </message>
    <message>
        <source>Großbild</source>
        <translation>Large picture</translation>
    </message>
    <message>
        <source>Kamera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Wärmebild</source>
        <translation>Thermal image</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Die Datei %1 wurde gespeichert.</source>
        <translation>The file %1 was saved.</translation>
    </message>
    <message>
        <source>Messwerte öffnen</source>
        <translation>Open measured values</translation>
    </message>
    <message>
        <source>Messwerte aus %1 geöffnet</source>
        <translation>Measured values from %1 opened</translation>
    </message>
</context>
<context>
    <name>CWeichzeichnerDlg</name>
    <message>
        <source>Weichzeichner-Einstellungen</source>
        <translation>Smoothing settings</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Halbwertsbreite</source>
        <translation>Half width</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>Genauigkeit</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
</context>
<context>
    <name>ColourSpanTools</name>
    <message>
        <source>Niedrigste</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>Höchste</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>Farbbereich</source>
        <translation>Colour span</translation>
    </message>
    <message>
        <source>Standard (10–160 °C)</source>
        <translation>Standard (10–160 °C)</translation>
    </message>
    <message>
        <source>Automatisch</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Fest…</source>
        <translation>Fixed…</translation>
    </message>
    <message>
        <source>%1 (°C):</source>
        <translation>%1 (°C):</translation>
    </message>
</context>
<context>
    <name>EmissivityTools</name>
    <message>
        <source>Emissionsgrad…</source>
        <translation>Emissivity…</translation>
    </message>
    <message>
        <source>„%1“: bitte eine Zahl eingeben</source>
        <translation>“%1”: please enter a number</translation>
    </message>
    <message>
        <source>„%1“: höchstens zwei Nachkommastellen</source>
        <translation>“%1”: at most two decimal places</translation>
    </message>
    <message>
        <source>„%1“: nur %2</source>
        <translation>“%1”: only %2</translation>
    </message>
    <message>
        <source>Emissionsgrad</source>
        <translation>Emissivity</translation>
    </message>
    <message>
        <source>%1 bis %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>Bild</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>%1 (ε):</source>
        <translation>%1 (ε):</translation>
    </message>
    <message>
        <source>– wählen –</source>
        <translation>– choose –</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Typische Werte:</source>
        <translation>Typical values:</translation>
    </message>
    <message>
        <source>Reflektierte Temperatur</source>
        <translation>Reflected temperature</translation>
    </message>
    <message>
        <source>wie Umgebung (%1 °C)</source>
        <translation>as ambient (%1 °C)</translation>
    </message>
    <message>
        <source>wie Umgebung</source>
        <translation>as ambient</translation>
    </message>
    <message>
        <source>%1 (°C):</source>
        <translation>%1 (°C):</translation>
    </message>
    <message>
        <source>wie Bild</source>
        <translation>as picture</translation>
    </message>
    <message>
        <source>Punkt</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Messfeld</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>%1 bis %2 °C</source>
        <translation>%1 to %2 °C</translation>
    </message>
    <message>
        <source>Mattschwarzer Lack</source>
        <translation>Matt black paint</translation>
    </message>
    <message>
        <source>Menschliche Haut</source>
        <translation>Human skin</translation>
    </message>
    <message>
        <source>Glas</source>
        <translation>Glass</translation>
    </message>
    <message>
        <source>Wasser</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>Holz</source>
        <translation>Wood</translation>
    </message>
    <message>
        <source>Weißer Lack</source>
        <translation>White paint</translation>
    </message>
    <message>
        <source>Papier</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>Ziegel</source>
        <translation>Brick</translation>
    </message>
    <message>
        <source>Oxidierter Stahl</source>
        <translation>Oxidised steel</translation>
    </message>
    <message>
        <source>Gebürstetes Aluminium</source>
        <translation>Brushed aluminium</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>der Name hat keine Endung, die ein Bildformat nennt</source>
        <translation>the name has no extension that names a picture format</translation>
    </message>
    <message>
        <source>für die Endung „.%1“ gibt es kein Bildformat</source>
        <translation>there is no picture format for the extension “.%1”</translation>
    </message>
</context>
<context>
    <name>FieldsDialog</name>
    <message>
        <source>„%1“: bitte eine ganze Zahl von Grad eingeben</source>
        <translation>“%1”: please enter a whole number of degrees</translation>
    </message>
    <message>
        <source>„%1“: der Messkopf misst nur %2 bis %3 °C</source>
        <translation>“%1”: the head measures only %2 to %3 °C</translation>
    </message>
    <message>
        <source>„%1“ muss über „%2“ liegen</source>
        <translation>“%1” must lie above “%2”</translation>
    </message>
    <message>
        <source>„%1“ darf nicht unter „%2“ liegen</source>
        <translation>“%1” must not lie below “%2”</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Bitmap (*.bmp)</source>
        <translation>Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>Messwerte (*.csv)</source>
        <translation>Measured values (*.csv)</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Messwerte öffnen</source>
        <translation>Open measured values</translation>
    </message>
    <message>
        <source>Bilder (%1)</source>
        <translation>Pictures (%1)</translation>
    </message>
    <message>
        <source>Alle Dateien (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Hintergrundbild wählen</source>
        <translation>Choose background picture</translation>
    </message>
    <message>
        <source>Temperaturverlauf (*.csv)</source>
        <translation>Temperature over time (*.csv)</translation>
    </message>
    <message>
        <source>Linienprofil (*.csv)</source>
        <translation>Line profile (*.csv)</translation>
    </message>
    <message>
        <source>Bericht (*.pdf)</source>
        <translation>Report (*.pdf)</translation>
    </message>
</context>
<context>
    <name>FileReading</name>
    <message>
        <source>sie ist eine symbolische Verknüpfung, die im Kreis verweist</source>
        <translation>it is a symbolic link that leads round in a circle</translation>
    </message>
    <message>
        <source>ihr Name enthält Bytes, die kein gültiges UTF-8 sind</source>
        <translation>its name holds bytes that are not valid UTF-8</translation>
    </message>
</context>
<context>
    <name>FileWriting</name>
    <message>
        <source>der Datenträger ist voll</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>sie ist zu groß</source>
        <translation>it is too large</translation>
    </message>
    <message>
        <source>Schreibfehler (%1)</source>
        <translation>write error (%1)</translation>
    </message>
    <message>
        <source>Die Datei %1 wurde nicht gespeichert: %2.</source>
        <translation>The file %1 was not saved: %2.</translation>
    </message>
    <message>
        <source>Es wurde kein Dateiname angegeben.</source>
        <translation>No file name was given.</translation>
    </message>
    <message>
        <source>das ist keine gewöhnliche Datei (Gerät, Ordner oder Pipe)</source>
        <translation>it is not a regular file (device, folder or pipe)</translation>
    </message>
    <message>
        <source>Schreibfehler</source>
        <translation>write error</translation>
    </message>
    <message>
        <source>sie lässt sich nicht anlegen (%1)</source>
        <translation>it cannot be created (%1)</translation>
    </message>
</context>
<context>
    <name>IsothermTools</name>
    <message>
        <source>Isotherme…</source>
        <translation>Isotherm…</translation>
    </message>
    <message>
        <source>Isotherme aus</source>
        <translation>Isotherm off</translation>
    </message>
    <message>
        <source>Isotherme</source>
        <translation>Isotherm</translation>
    </message>
    <message>
        <source>von … bis</source>
        <translation>from … to</translation>
    </message>
    <message>
        <source>ab</source>
        <translation>at or above</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>at or below</translation>
    </message>
    <message>
        <source>Zellen:</source>
        <translation>Cells:</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Bis</source>
        <translation>To</translation>
    </message>
    <message>
        <source>%1 (°C):</source>
        <translation>%1 (°C):</translation>
    </message>
</context>
<context>
    <name>LargePictureWindow</name>
    <message>
        <source>Großbild</source>
        <translation>Large picture</translation>
    </message>
</context>
<context>
    <name>LineTools</name>
    <message>
        <source>Linienprofil von hier	Alt+Ziehen</source>
        <translation>Line profile from here	Alt+Drag</translation>
    </message>
    <message>
        <source>Linienprofil bis hier</source>
        <translation>Line profile to here</translation>
    </message>
    <message>
        <source>Linienprofil löschen</source>
        <translation>Clear line profile</translation>
    </message>
    <message>
        <source>Linienprofil: das Ende mit „Linienprofil bis hier“ wählen</source>
        <translation>Line profile: choose its end with “Line profile to here”</translation>
    </message>
    <message>
        <source>Linienprofil…</source>
        <translation>Line profile…</translation>
    </message>
    <message>
        <source>Linienprofil von Spalte %1, Zeile %2 bis Spalte %3, Zeile %4 (%5 Zellen)</source>
        <translation>Line profile from column %1, row %2 to column %3, row %4 (%5 cells)</translation>
    </message>
</context>
<context>
    <name>Measurements</name>
    <message>
        <source>Die Messwertdatei %1 lässt sich nicht öffnen: %2.</source>
        <translation>The measured values file %1 cannot be opened: %2.</translation>
    </message>
    <message>
        <source>Lesefehler (%1)</source>
        <translation>read error (%1)</translation>
    </message>
    <message>
        <source>das ist keine gewöhnliche Datei (Gerät, Ordner oder Pipe)</source>
        <translation>it is not a regular file (device, folder or pipe)</translation>
    </message>
    <message>
        <source>sie ist zu groß für eine Messwertdatei (mehr als %1 Bytes)</source>
        <translation>it is too large for a measured values file (more than %1 bytes)</translation>
    </message>
    <message>
        <source>sie fehlt</source>
        <translation>it is missing</translation>
    </message>
    <message>
        <source>sie enthält Nullbytes, ist also keine Textdatei</source>
        <translation>it holds null bytes, so it is not a text file</translation>
    </message>
    <message>
        <source>sie endet nach Zeile %1 (erwartet: %2 Zeilen)</source>
        <translation>it ends after line %1 (expected: %2 lines)</translation>
    </message>
    <message>
        <source>Zeile %1: %2 statt %3 Felder</source>
        <translation>line %1: %2 instead of %3 fields</translation>
    </message>
    <message>
        <source>Zeile %1, Feld %2: „%3“ ist kein Messwert (1 bis %4)</source>
        <translation>line %1, field %2: “%3” is not a measured value (1 to %4)</translation>
    </message>
    <message>
        <source>Zeile %1: nach der letzten Messwertzeile folgt noch etwas (erwartet: %2 Zeilen)</source>
        <translation>line %1: something follows the last line of values (expected: %2 lines)</translation>
    </message>
    <message>
        <source>Zeile 1: keine Torvak-Messwertdatei</source>
        <translation>line 1: not a Torvak measured values file</translation>
    </message>
    <message>
        <source>Zeile 1: Kopfzeile beschädigt</source>
        <translation>line 1: header line damaged</translation>
    </message>
</context>
<context>
    <name>MeasuringPointTools</name>
    <message>
        <source>Messpunkt hier setzen	Strg+Klick</source>
        <translation>Set measuring point here	Ctrl+Click</translation>
    </message>
    <message>
        <source>Messpunkte löschen</source>
        <translation>Clear measuring points</translation>
    </message>
    <message>
        <source>Punktmessung</source>
        <translation>Spot measurement</translation>
    </message>
    <message>
        <source>Temperaturverlauf…</source>
        <translation>Temperature over time…</translation>
    </message>
    <message>
        <source>Für die Punktmessung zuerst einen Messpunkt setzen</source>
        <translation>Set a measuring point first for the spot measurement</translation>
    </message>
    <message>
        <source>Punktmessung nicht möglich: die Zelle liegt außerhalb des Messbereichs</source>
        <translation>Spot measurement not possible: the cell lies outside the scan range</translation>
    </message>
    <message>
        <source>Punktmessung nicht möglich: Messpunkt %1 liegt außerhalb des Messbereichs</source>
        <translation>Spot measurement not possible: measuring point %1 lies outside the scan range</translation>
    </message>
    <message>
        <source>Punktmessung nicht möglich: die Messpunkte %1 liegen außerhalb des Messbereichs</source>
        <translation>Spot measurement not possible: measuring points %1 lie outside the scan range</translation>
    </message>
</context>
<context>
    <name>PictureModel</name>
    <message>
        <source>%1–%2 °C</source>
        <translation>%1–%2 °C</translation>
    </message>
    <message>
        <source>Farbbereich automatisch: noch kein Messwert, daher %1</source>
        <translation>Colour span automatic: no reading yet, so %1</translation>
    </message>
    <message>
        <source>Farbbereich automatisch %1</source>
        <translation>Colour span automatic %1</translation>
    </message>
    <message>
        <source>Farbbereich %1</source>
        <translation>Colour span %1</translation>
    </message>
    <message>
        <source>ab %1 °C</source>
        <translation>at or above %1 °C</translation>
    </message>
    <message>
        <source>bis %1 °C</source>
        <translation>at or below %1 °C</translation>
    </message>
    <message>
        <source>Isotherme %1: noch kein Messwert</source>
        <translation>Isotherm %1: no reading yet</translation>
    </message>
    <message>
        <source>Isotherme %1: %2 von %3 Zellen (%4 %)</source>
        <translation>Isotherm %1: %2 of %3 cells (%4 %)</translation>
    </message>
    <message>
        <source>Es gibt noch keinen Messwert, den Torvak sich als Referenz merken könnte.</source>
        <translation>There is no reading yet that Torvak could remember as the reference.</translation>
    </message>
    <message>
        <source>Die Referenz wurde über einen anderen Bereich aufgenommen als das Bild jetzt; sie wird nicht verwendet.</source>
        <translation>The reference was taken over another range than the picture now; it is not used.</translation>
    </message>
    <message>
        <source>Es ist noch keine Referenz gemerkt („Als Referenz merken“ oder „Referenz aus Datei…“).</source>
        <translation>No reference has been remembered yet (“Remember as reference” or “Reference from file…”).</translation>
    </message>
    <message>
        <source>Differenz zur Referenz von %1, %2</source>
        <translation>Difference to the reference of %1, %2</translation>
    </message>
    <message>
        <source>automatisch %1</source>
        <translation>automatic %1</translation>
    </message>
    <message>
        <source>nicht bestimmbar</source>
        <translation>not determinable</translation>
    </message>
    <message>
        <source>Punkt</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Messfeld</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>%1 °C</source>
        <translation>%1 °C</translation>
    </message>
    <message>
        <source>unbekannt (kein Umgebungswert)</source>
        <translation>unknown (no ambient reading)</translation>
    </message>
    <message>
        <source>%1 (Umgebung)</source>
        <translation>%1 (ambient)</translation>
    </message>
    <message>
        <source>Emissionsgrad: Bild %1, reflektierte Temperatur %2</source>
        <translation>Emissivity: picture %1, reflected temperature %2</translation>
    </message>
    <message>
        <source>; eigener: %1</source>
        <translation>; own: %1</translation>
    </message>
</context>
<context>
    <name>ProfileWindow</name>
    <message>
        <source>Linienprofil</source>
        <translation>Line profile</translation>
    </message>
    <message>
        <source>Speichern…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>Noch keine Linie: Alt+Ziehen über dem Bild oder „Linienprofil von hier“ im Kontextmenü</source>
        <translation>No line yet: Alt+drag over the picture or “Line profile from here” in the context menu</translation>
    </message>
    <message>
        <source>nach %1 s</source>
        <translation>after %1 s</translation>
    </message>
    <message>
        <source>jetzt</source>
        <translation>now</translation>
    </message>
    <message>
        <source>Position entlang der Linie (Zellen)</source>
        <translation>Position along the line (cells)</translation>
    </message>
    <message>
        <source>Temperatur (° C)</source>
        <translation>Temperature (° C)</translation>
    </message>
    <message>
        <source>Gespeichert unter %1</source>
        <translation>Saved as %1</translation>
    </message>
    <message>
        <source>Linienprofile verwerfen?</source>
        <translation>Discard line profiles?</translation>
    </message>
    <message>
        <source>Das Linienprofil enthält frühere Profile, die noch nicht gespeichert sind. Sollen sie verworfen werden?</source>
        <translation>The line profile holds earlier profiles that are not saved yet. Discard them?</translation>
    </message>
</context>
<context>
    <name>ReferenceTools</name>
    <message>
        <source>Referenz und Differenz</source>
        <translation>Reference and difference</translation>
    </message>
    <message>
        <source>Als Referenz merken</source>
        <translation>Remember as reference</translation>
    </message>
    <message>
        <source>Referenz gemerkt</source>
        <translation>Reference remembered</translation>
    </message>
    <message>
        <source>Referenz aus Datei…</source>
        <translation>Reference from file…</translation>
    </message>
    <message>
        <source>Differenz zur Referenz</source>
        <translation>Difference to the reference</translation>
    </message>
    <message>
        <source>Differenz aus</source>
        <translation>Difference off</translation>
    </message>
    <message>
        <source>Differenzbereich automatisch</source>
        <translation>Difference span automatic</translation>
    </message>
    <message>
        <source>Differenzbereich fest…</source>
        <translation>Difference span fixed…</translation>
    </message>
    <message>
        <source>Referenz aus %1 übernommen</source>
        <translation>Reference taken from %1</translation>
    </message>
    <message>
        <source>Differenzbereich</source>
        <translation>Difference span</translation>
    </message>
    <message>
        <source>Bis ± (K):</source>
        <translation>Up to ± (K):</translation>
    </message>
    <message>
        <source>„Bis ±“: bitte eine ganze Zahl von 1 bis %1 Kelvin eingeben</source>
        <translation>“Up to ±”: please enter a whole number of kelvin from 1 to %1</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Messstelle</source>
        <translation>Measuring site</translation>
    </message>
    <message>
        <source>Messpunkt %1</source>
        <translation>Measuring point %1</translation>
    </message>
    <message>
        <source>Messfeld %1</source>
        <translation>Area %1</translation>
    </message>
    <message>
        <source>Zellen</source>
        <translation>Cells</translation>
    </message>
    <message>
        <source>Spalte %1, Zeile %2</source>
        <translation>Column %1, row %2</translation>
    </message>
    <message>
        <source>Spalte %1–%2, Zeile %3–%4</source>
        <translation>Columns %1–%2, rows %3–%4</translation>
    </message>
    <message>
        <source>Wert / Mittel</source>
        <translation>Value / mean</translation>
    </message>
    <message>
        <source>Höchste</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>Niedrigste</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>Zellen gelesen</source>
        <translation>Cells read</translation>
    </message>
    <message>
        <source>%1 von %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Torvak – Messbericht</source>
        <translation>Torvak – Measurement report</translation>
    </message>
    <message>
        <source>%1, %2 Uhr</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Anpassung</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Temperaturverlauf</source>
        <translation>Temperature over time</translation>
    </message>
    <message>
        <source>Zeit (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>Zeit (min)</source>
        <translation>Time (min)</translation>
    </message>
    <message>
        <source>Temperatur (° C)</source>
        <translation>Temperature (° C)</translation>
    </message>
    <message>
        <source>früher, zuletzt nach %1 s</source>
        <translation>earlier, the last after %1 s</translation>
    </message>
    <message>
        <source>jetzt</source>
        <translation>now</translation>
    </message>
    <message>
        <source>Linienprofil</source>
        <translation>Line profile</translation>
    </message>
    <message>
        <source>Position entlang der Linie (Zellen)</source>
        <translation>Position along the line (cells)</translation>
    </message>
    <message>
        <source>ε</source>
        <translation>ε</translation>
    </message>
    <message>
        <source>Abkühlung von %1 (%2 s bis %3 s): %4</source>
        <translation>Cooling of %1 (%2 s to %3 s): %4</translation>
    </message>
</context>
<context>
    <name>ReportTools</name>
    <message>
        <source>Bericht…</source>
        <translation>Report…</translation>
    </message>
    <message>
        <source>Drucken…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Bericht</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Die Datei %1 wurde gespeichert.</source>
        <translation>The file %1 was saved.</translation>
    </message>
    <message>
        <source>Der Bericht wurde gedruckt.</source>
        <translation>The report was printed.</translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>Torvak: eine langsame Wärmebildkamera aus einem Messkopf mit zwei Thermopile-Sensoren.</source>
        <translation>Torvak: a slow thermal camera made of a head with two thermopile sensors.</translation>
    </message>
    <message>
        <source>Öffnet für diesen Lauf das Gerät GERÄT statt des gespeicherten Ports (der bleibt gespeichert).</source>
        <translation>Opens the device DEVICE for this run instead of the stored port (which stays stored).</translation>
    </message>
    <message>
        <source>GERÄT</source>
        <translation>DEVICE</translation>
    </message>
    <message>
        <source>Vorführung ohne Messkopf: startet für diesen Lauf den emulierten Messkopf (torvak-headsim) und misst an ihm.</source>
        <translation>Demonstration without a head: starts the emulated head (torvak-headsim) for this run and measures it.</translation>
    </message>
    <message>
        <source>Unerwartetes Argument: %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>--port und --demo schließen einander aus.</source>
        <translation>--port and --demo exclude each other.</translation>
    </message>
    <message>
        <source>%1 fehlt (%2)</source>
        <translation>%1 is missing (%2)</translation>
    </message>
    <message>
        <source>%1 nennt keine Leitung</source>
        <translation>%1 names no line</translation>
    </message>
    <message>
        <source>Der emulierte Messkopf lässt sich nicht starten: %1</source>
        <translation>The emulated head cannot be started: %1</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Emulierter Messkopf (%1)</source>
        <translation>Emulated head (%1)</translation>
    </message>
    <message>
        <source>Gerät %1</source>
        <translation>Device %1</translation>
    </message>
    <message>
        <source>Com %1 (%2)</source>
        <translation>Com %1 (%2)</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht öffnen: %2</source>
        <translation>%1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>keine Berechtigung – der Benutzer muss zur Gruppe „%1“ gehören, der das Gerät gehört</source>
        <translation>no permission – the user must belong to the group “%1” that owns the device</translation>
    </message>
    <message>
        <source>Vorführung ohne Messkopf: %1</source>
        <translation>Demonstration without a head: %1</translation>
    </message>
    <message>
        <source>%1 geöffnet</source>
        <translation>%1 opened</translation>
    </message>
    <message>
        <source>Kein Port gewählt – Ersatzwerte</source>
        <translation>No port chosen – substitute values</translation>
    </message>
    <message>
        <source>Gerät nicht vorhanden</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>wird schon von einem anderen Programm benutzt</source>
        <translation>already in use by another program</translation>
    </message>
    <message>
        <source>Fehler „%1“</source>
        <translation>error “%1”</translation>
    </message>
    <message>
        <source>Verbindung zum emulierten Messkopf (%1) verloren – Ersatzwerte</source>
        <translation>Connection to the emulated head (%1) lost – substitute values</translation>
    </message>
    <message>
        <source>Verbindung zu %1 verloren – Ersatzwerte</source>
        <translation>Connection to %1 lost – substitute values</translation>
    </message>
    <message>
        <source>Kein Sensor antwortet – Ersatzwerte</source>
        <translation>No sensor answers – substitute values</translation>
    </message>
    <message>
        <source>Störungen auf der Leitung – Messwerte unsicher</source>
        <translation>Noise on the line – readings uncertain</translation>
    </message>
    <message>
        <source>das Gerät lässt sich nicht auf 19200 Baud, 8 Datenbits, keine Parität und 2 Stoppbits einstellen</source>
        <translation>the device cannot be set to 19200 baud, 8 data bits, no parity and 2 stop bits</translation>
    </message>
    <message>
        <source>der Gerätename ist länger, als das System erlaubt</source>
        <translation>the device name is longer than the system allows</translation>
    </message>
    <message>
        <source>Punktmessung läuft – %1</source>
        <translation>Spot measurement running – %1</translation>
    </message>
</context>
<context>
    <name>TrendWindow</name>
    <message>
        <source>τ = %1 s ± %2 s   T0 = %3 ° C   Tu = %4 ° C (%5)   Streuung %6 K</source>
        <translation>τ = %1 s ± %2 s   T0 = %3 ° C   Ta = %4 ° C (%5)   scatter %6 K</translation>
    </message>
    <message>
        <source>angepasst</source>
        <translation>fitted</translation>
    </message>
    <message>
        <source>gemessen</source>
        <translation>measured</translation>
    </message>
    <message>
        <source>Zu wenige Messwerte für eine Anpassung (mindestens drei nötig, vier, wenn die Umgebungstemperatur mit angepasst wird).</source>
        <translation>Too few readings for a fit (at least three needed, four when the ambient temperature is fitted too).</translation>
    </message>
    <message>
        <source>Die Messwerte sind konstant – keine Abkühlung oder Erwärmung zu erkennen.</source>
        <translation>The readings are constant – no cooling or warming to be seen.</translation>
    </message>
    <message>
        <source>Die Anpassung konvergiert nicht – der Verlauf zeigt keine Abkühlung oder Erwärmung mit endlicher Zeitkonstante.</source>
        <translation>The fit does not converge – the course shows no cooling or warming with a finite time constant.</translation>
    </message>
    <message>
        <source>Temperaturverlauf</source>
        <translation>Temperature over time</translation>
    </message>
    <message>
        <source>Neu beginnen</source>
        <translation>Start anew</translation>
    </message>
    <message>
        <source>Speichern…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>Umgebungstemperatur mitanpassen</source>
        <translation>Fit the ambient temperature too</translation>
    </message>
    <message>
        <source>Abkühlung anpassen</source>
        <translation>Fit cooling</translation>
    </message>
    <message>
        <source>Zeit (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>Temperatur (° C)</source>
        <translation>Temperature (° C)</translation>
    </message>
    <message>
        <source>Messpunkt %1 (Spalte %2, Zeile %3)</source>
        <translation>Measuring point %1 (column %2, row %3)</translation>
    </message>
    <message>
        <source>Messpunkt %1</source>
        <translation>Measuring point %1</translation>
    </message>
    <message>
        <source>Zeit (min)</source>
        <translation>Time (min)</translation>
    </message>
    <message>
        <source>Anpassung läuft …</source>
        <translation>Fitting …</translation>
    </message>
    <message>
        <source>Tu gemessen: Der Verlauf ist kürzer als eine Zeitkonstante und legt Tu noch nicht fest.</source>
        <translation>Tu measured: the course is shorter than one time constant and does not fix Tu yet.</translation>
    </message>
    <message>
        <source>Der Sensor am Messkopf zeigt %1 ° C: Das weicht vom angepassten Tu um mehr als die Unsicherheit (± %2 K) ab.</source>
        <translation>The sensor on the head reads %1 ° C: that differs from the fitted Tu by more than the uncertainty (± %2 K).</translation>
    </message>
    <message>
        <source>Gespeichert unter %1</source>
        <translation>Saved as %1</translation>
    </message>
    <message>
        <source>Mittelwerte über je 1 s</source>
        <translation>Means over 1 s each</translation>
    </message>
    <message>
        <source>Mittelwerte über je 10 s</source>
        <translation>Means over 10 s each</translation>
    </message>
    <message>
        <source>Mittelwerte über je 60 s</source>
        <translation>Means over 60 s each</translation>
    </message>
    <message>
        <source>Alle Messwerte (zu viele Zeilen für eine Tabellenkalkulation)</source>
        <translation>All readings (too many lines for a spreadsheet)</translation>
    </message>
    <message>
        <source>Der Verlauf hat %1 Zeilen, mehr als eine Tabellenkalkulation öffnet. Was soll gespeichert werden?</source>
        <translation>The recording has %1 lines, more than a spreadsheet opens. What should be saved?</translation>
    </message>
    <message>
        <source>Verlauf verwerfen?</source>
        <translation>Discard the recording?</translation>
    </message>
    <message>
        <source>Der Temperaturverlauf enthält Messwerte, die noch nicht gespeichert sind. Sollen sie verworfen werden?</source>
        <translation>The temperature recording holds readings that have not been saved. Should they be discarded?</translation>
    </message>
    <message>
        <source>Residuen zeigen</source>
        <translation>Show residuals</translation>
    </message>
    <message>
        <source>Mit der Maus über den Verlauf ziehen wählt die Zeitspanne, an die „Abkühlung anpassen“ anpasst; ein Klick ohne Ziehen wählt wieder den ganzen Verlauf.</source>
        <translation>Dragging the mouse over the course chooses the span of time “Fit cooling” fits; a click without dragging chooses the whole course again.</translation>
    </message>
    <message>
        <source>Residuen (K)</source>
        <translation>Residuals (K)</translation>
    </message>
    <message>
        <source>Messfeld %1</source>
        <translation>Measuring area %1</translation>
    </message>
    <message>
        <source>Messfeld %1 (Spalte %2–%3, Zeile %4–%5)</source>
        <translation>Measuring area %1 (column %2–%3, row %4–%5)</translation>
    </message>
    <message>
        <source>Punkt %1</source>
        <translation>Point %1</translation>
    </message>
    <message>
        <source>%1: %2/min</source>
        <translation>%1: %2/min</translation>
    </message>
    <message>
        <source>Keine Messreihe</source>
        <translation>No series</translation>
    </message>
</context>
</TS>
