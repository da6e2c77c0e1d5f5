#pragma once
// The labels of the answers log: the first field of every record a logged
// question writes, and what a replay checks the recorded record against
// (through SameLabel: letters and digits only, whatever the case, accents,
// blanks and signs). Every question, the analogy search that prepares logs
// for the create path and the ordering of a specifications file take them
// from here, so that a label reworded here is reworded everywhere at once.
//
// A label that begins with three blanks belongs to an element's group of
// records (see model/specification_records.h); the labels of the steps
// before the elements' questions must not begin so.
#include <string_view>

namespace korva {

// --- Main menu and the model's name -----------------------------------------

// The activity: create, assemble, form blocks or search by analogy.
inline constexpr std::string_view kLabelActivity = "Crear, Ensamblar, formar Bloques, Analogia";
// The model's name, which names its files.
inline constexpr std::string_view kLabelModelName = "Nombre del simulador";
// What the model is for.
inline constexpr std::string_view kLabelModelPurpose = "Servirá para";
// The analogy search: the most lines a library model's equations file may have.
inline constexpr std::string_view kLabelMaxEquationLines = "Máximo de líneas de un GNombre";

// --- Element list -------------------------------------------------------------

// Whether the list file is complete (otherwise it is typed).
inline constexpr std::string_view kLabelListSaved = "Lista al completo";
// Typing the list: go on with the saved part or start again.
inline constexpr std::string_view kLabelListContinueOrRestart = "Continuar o Empezar";
// Typing the list: the most elements the system would have.
inline constexpr std::string_view kLabelMaxElements = "Máximo de elementos";
// Reviewing the list: whether every name is right.
inline constexpr std::string_view kLabelListAllCorrect = "¿Correcto?";
// Reviewing the list: the number of the wrong element.
inline constexpr std::string_view kLabelWrongElement = "Elemento incorrecto";
// Reviewing the list: the right name, or delete, or insert.
inline constexpr std::string_view kLabelElementCorrection = "Nombre, o Suprimir, o Intercalar";
// How to look at the list: screen, file or not at all.
inline constexpr std::string_view kLabelListView = "Ver la lista por Pantalla, Fichero, o No ver";
// Whether to look at the list again.
inline constexpr std::string_view kLabelListViewAgain = "Ver otra vez la lista";

// --- Connection matrix --------------------------------------------------------

// Whether the matrix is derived from the equations file (G) instead of read (C).
inline constexpr std::string_view kLabelMatrixFromEquations = "Fichero G si y fichero C no";
// Whether the matrix file is complete (otherwise it is typed).
inline constexpr std::string_view kLabelMatrixSaved = "Matriz completa";
// Typing the matrix: the most elements one element depends on.
inline constexpr std::string_view kLabelMaxDependencies = "Máximo de dependencias";
// Typing the matrix: go on with the saved part or start again.
inline constexpr std::string_view kLabelMatrixContinueOrRestart = "Continuar o empezar";
// Typing the matrix: whether a row is right; the row's number follows the label.
inline constexpr std::string_view kLabelMatrixRowCorrect = "Toda correcta:";
// How to look at the matrix: screen, file or not at all.
inline constexpr std::string_view kLabelMatrixView = "Ver la matriz por Pantalla, Fichero, o No ver";
// Whether to look at the matrix again (also after a calculation order with loops).
inline constexpr std::string_view kLabelMatrixViewAgain = "Comprobar otra vez la matriz";

// --- Calculation order and the specifications file ----------------------------

// Whether to list the elements in calculation order (file O).
inline constexpr std::string_view kLabelCalculationOrderListing = "Listado en orden de calculo";
// Whether to order the specifications file (M) by calculation level.
inline constexpr std::string_view kLabelOrderSpecifications = "Ordenar fichero de especificaciones: ";

// --- Simulation options ---------------------------------------------------------

// Whether to optimise with a genetic algorithm.
inline constexpr std::string_view kLabelGeneticAlgorithm = "¿Algoritmo genético?";
// Genetic algorithm: the chromosome variable.
inline constexpr std::string_view kLabelChromosomeVar = "  La variable cromosoma es:";
// Genetic algorithm: the variable with the chromosome's initial values.
inline constexpr std::string_view kLabelInitialChromosomeVar = "  La variable cromosoma inicial es:";
// Genetic algorithm: the variable with the chromosome's parameters.
inline constexpr std::string_view kLabelChromosomeParamsVar = "  La variable parámetros del cromosoma es:";
// Genetic algorithm: the most alleles of a gene.
inline constexpr std::string_view kLabelMaxAlleles = "Numero máximo de alelos:";
// Genetic algorithm: the variable to minimise.
inline constexpr std::string_view kLabelObjectiveVar = "La variable objetivo a minimizar es:";
// Whether the system is dynamic.
inline constexpr std::string_view kLabelDynamic = "¿Sistema dinámico?";
// A dynamic system's unit of time (or space...).
inline constexpr std::string_view kLabelTimeUnit = "  Unidad dinámica";
// Which inputs are uncertain: some, all or none.
inline constexpr std::string_view kLabelInputsUncertainty =
    "  Algunas, Todas o Ninguna variables de entrada con incertidumbre: ";

// --- An input's group -----------------------------------------------------------

// Whether the input is uncertain (when only some are).
inline constexpr std::string_view kLabelInputUncertain = "   Incertidumbre: ";
// Whether an uncertain input takes a new random value at each step.
inline constexpr std::string_view kLabelNewRandomEachStep = "   Aleatorios distintos: ";
// How many times the input changes its value.
inline constexpr std::string_view kLabelValueChanges = "   Cambios de valor";

// --- A calculated element's group -----------------------------------------------

// Whether the functions are all written and right: asked once, before the
// first calculated element's group.
inline constexpr std::string_view kLabelFunctionsRecorded = "¿Funciones grabadas?";
// The function record: this label, the function's header, then
// kLabelFunctionUncertain and its answer, all in one record.
inline constexpr std::string_view kLabelFunction = "   La funcion";
// The second label of the function record: whether the function is uncertain.
inline constexpr std::string_view kLabelFunctionUncertain = "¿Lleva incertidumbre?";
// Whether the element is a state.
inline constexpr std::string_view kLabelState = "   ¿De estado?";
// A state's initial value.
inline constexpr std::string_view kLabelInitialValue = "   Su valor inicial es";
// Whether the element (input or calculated) is an array.
inline constexpr std::string_view kLabelDimensional = "   ¿Dimensional?";
// An array's number of dimensions.
inline constexpr std::string_view kLabelDimensionCount = "   Dimensiones";
// An array's size in one dimension.
inline constexpr std::string_view kLabelDimensionSize = "   ";
// Whether the function is a table.
inline constexpr std::string_view kLabelTable = "   ¿Tabla?";
// A table's number of points.
inline constexpr std::string_view kLabelTablePoints = "   Puntos de la tabla";
// A typed function's number of lines.
inline constexpr std::string_view kLabelFunctionLineCount = "   ¿Lineas de la funcion?";
// Whether to correct a typed function's lines.
inline constexpr std::string_view kLabelCorrectEquation = "   ¿Corregir alguna ecuacion?";
// Whether what was just settled is right: an input, a function, a table's point.
// Its "s" closes an element's group.
inline constexpr std::string_view kLabelCorrect = "   ¿Correcto?";
// The number of a generated statement to correct.
inline constexpr std::string_view kLabelStatementToCorrect = "   Sentencia a corregir";

// --- Assembling models ------------------------------------------------------------

// The most connections between two subsystems.
inline constexpr std::string_view kLabelMaxConnections = "Número maximo de conexiones entre dos subsistemas";
// The folder of the programs to assemble.
inline constexpr std::string_view kLabelReadDirectory = "Directorio para leer:";
// The folder to write the assembled programs in.
inline constexpr std::string_view kLabelWriteDirectory = "Directorio para escribir:";
// The identifier length of the models to assemble.
inline constexpr std::string_view kLabelIdentifierLength = "Caracteres de los identificadores de elementos:";
// Which inputs of the models to assemble are uncertain: some, all or none.
inline constexpr std::string_view kLabelAssemblyUncertainty =
    "Algunas, Todas o Ninguna variables de entrada con incertidumbre: ";
// Whether some model to assemble is dynamic.
inline constexpr std::string_view kLabelAssemblyDynamic = "¿Modelo dinámico?";

// --- Analogy search -----------------------------------------------------------------

// How many keywords to look for.
inline constexpr std::string_view kLabelKeywordCount = "Palabras clave";
// One keyword.
inline constexpr std::string_view kLabelKeyword = "   ";
// The file that names the library's models.
inline constexpr std::string_view kLabelLibraryNames = "Fichero nombres biblioteca";
// Whether to prepare an answers log that builds the proposed model.
inline constexpr std::string_view kLabelPrepareLog = "Preparar Modelo* para construir programas";

// --- Labels as the logs the analogy search prepares write them ---------------------
// Older wordings of the labels above, kept in the prepared logs as they always
// were written; each one is the same label as its question's for SameLabel.

// kLabelModelPurpose without its accent.
inline constexpr std::string_view kPreparedLabelModelPurpose = "Servira para";
// kLabelMatrixFromEquations with the DOS glyph of an accented i.
inline constexpr std::string_view kPreparedLabelMatrixFromEquations = "Fichero G s¡ y fichero C no";
// kLabelMatrixView in an older wording, when the matrix went to the printer;
// SameLabel takes it for the current one.
inline constexpr std::string_view kPreparedLabelMatrixView = "Ver la matriz por Pantalla, Impresora, o No ver";
// kLabelFunction with its accent, in the record added for an element the
// library gave no function record for.
inline constexpr std::string_view kPreparedLabelFunction = "   La función";

}  // namespace korva
