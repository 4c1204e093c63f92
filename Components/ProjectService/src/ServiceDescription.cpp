// Reading and writing the service description, on pugixml.
#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapProtocol.h>

#include "XmlNames.h"

#include <pugixml.hpp>

#include <cstring>
#include <sstream>

namespace projectsoap {

namespace {

bool IsHttpUrl(const std::string& url)
{
    return url.compare(0, 7, "http://") == 0 || url.compare(0, 8, "https://") == 0;
}

void AppendSchemaElement(pugi::xml_node schema, const std::string& name, const char* const* fields, int count)
{
    pugi::xml_node element = schema.append_child("xsd:element");
    element.append_attribute("name") = name.c_str();
    pugi::xml_node sequence = element.append_child("xsd:complexType").append_child("xsd:sequence");
    for (int i = 0; i < count; ++i) {
        pugi::xml_node field = sequence.append_child("xsd:element");
        field.append_attribute("name") = fields[i];
        field.append_attribute("type") = serviceops::IsNumberField(fields[i]) ? "xsd:int" : "xsd:string";
    }
}

} // namespace

bool ServiceDescription::FindSoapAction(const std::string& operation, std::string& action) const
{
    for (const auto& entry : soapActions) {
        if (entry.first == operation) {
            action = entry.second;
            return true;
        }
    }
    return false;
}

bool ParseServiceDescription(const std::string& text, ServiceDescription& description, std::string& error)
{
    description = ServiceDescription();
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        error = std::string("the service description is not well-formed XML (") + parsed.description() + ")";
        return false;
    }
    pugi::xml_node definitions = doc.document_element();
    if (!IsElement(definitions, "definitions", kWsdlNamespace)) {
        error = "the service description is not a WSDL document";
        return false;
    }
    description.targetNamespace = definitions.attribute("targetNamespace").value();
    if (description.targetNamespace.empty()) {
        error = "the service description names no target namespace";
        return false;
    }
    for (pugi::xml_node binding = definitions.first_child(); binding; binding = binding.next_sibling()) {
        if (!IsElement(binding, "binding", kWsdlNamespace))
            continue;
        for (pugi::xml_node op = binding.first_child(); op; op = op.next_sibling()) {
            if (!IsElement(op, "operation", kWsdlNamespace))
                continue;
            for (pugi::xml_node soapOp = op.first_child(); soapOp; soapOp = soapOp.next_sibling()) {
                if (IsElement(soapOp, "operation", kWsdlSoapNamespace)) {
                    description.soapActions.emplace_back(op.attribute("name").value(),
                                                         soapOp.attribute("soapAction").value());
                    break;
                }
            }
        }
    }
    for (pugi::xml_node service = definitions.first_child(); service && description.endpoint.empty();
         service = service.next_sibling()) {
        if (!IsElement(service, "service", kWsdlNamespace))
            continue;
        for (pugi::xml_node port = service.first_child(); port && description.endpoint.empty();
             port = port.next_sibling()) {
            if (!IsElement(port, "port", kWsdlNamespace))
                continue;
            for (pugi::xml_node address = port.first_child(); address; address = address.next_sibling()) {
                if (IsElement(address, "address", kWsdlSoapNamespace)) {
                    description.endpoint = address.attribute("location").value();
                    break;
                }
            }
        }
    }
    if (!IsHttpUrl(description.endpoint)) {
        error = description.endpoint.empty() ? "the service description has no SOAP address"
                                             : "the service address is not an http or https URL: " + description.endpoint;
        description = ServiceDescription();
        return false;
    }
    return true;
}

std::string BuildServiceDescription(const std::string& targetNamespace, const std::string& endpoint)
{
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "utf-8";
    pugi::xml_node defs = doc.append_child("definitions");
    defs.append_attribute("xmlns") = kWsdlNamespace;
    defs.append_attribute("xmlns:soap") = kWsdlSoapNamespace;
    defs.append_attribute("xmlns:xsd") = "http://www.w3.org/2001/XMLSchema";
    defs.append_attribute("xmlns:tns") = targetNamespace.c_str();
    defs.append_attribute("name") = "OrveskService";
    defs.append_attribute("targetNamespace") = targetNamespace.c_str();

    size_t count = 0;
    const OperationInfo* ops = Operations(count);

    pugi::xml_node schema = defs.append_child("types").append_child("xsd:schema");
    schema.append_attribute("targetNamespace") = targetNamespace.c_str();
    schema.append_attribute("elementFormDefault") = "qualified";
    for (size_t i = 0; i < count; ++i) {
        AppendSchemaElement(schema, ops[i].name, ops[i].args, ops[i].argCount);
        AppendSchemaElement(schema, std::string(ops[i].name) + "Response", ops[i].results, ops[i].resultCount);
    }
    for (size_t i = 0; i < count; ++i) {
        for (int dir = 0; dir < 2; ++dir) {
            std::string name = std::string(ops[i].name) + (dir == 0 ? "In" : "Out");
            std::string element = std::string("tns:") + ops[i].name + (dir == 0 ? "" : "Response");
            pugi::xml_node message = defs.append_child("message");
            message.append_attribute("name") = name.c_str();
            pugi::xml_node part = message.append_child("part");
            part.append_attribute("name") = "parameters";
            part.append_attribute("element") = element.c_str();
        }
    }
    pugi::xml_node portType = defs.append_child("portType");
    portType.append_attribute("name") = "OrveskServicePortType";
    for (size_t i = 0; i < count; ++i) {
        pugi::xml_node op = portType.append_child("operation");
        op.append_attribute("name") = ops[i].name;
        op.append_child("input").append_attribute("message") = (std::string("tns:") + ops[i].name + "In").c_str();
        op.append_child("output").append_attribute("message") = (std::string("tns:") + ops[i].name + "Out").c_str();
    }
    pugi::xml_node binding = defs.append_child("binding");
    binding.append_attribute("name") = "OrveskServiceBinding";
    binding.append_attribute("type") = "tns:OrveskServicePortType";
    pugi::xml_node soapBinding = binding.append_child("soap:binding");
    soapBinding.append_attribute("style") = "document";
    soapBinding.append_attribute("transport") = "http://schemas.xmlsoap.org/soap/http";
    for (size_t i = 0; i < count; ++i) {
        pugi::xml_node op = binding.append_child("operation");
        op.append_attribute("name") = ops[i].name;
        pugi::xml_node soapOp = op.append_child("soap:operation");
        soapOp.append_attribute("soapAction") = (targetNamespace + "/" + ops[i].name).c_str();
        soapOp.append_attribute("style") = "document";
        op.append_child("input").append_child("soap:body").append_attribute("use") = "literal";
        op.append_child("output").append_child("soap:body").append_attribute("use") = "literal";
    }
    pugi::xml_node service = defs.append_child("service");
    service.append_attribute("name") = "OrveskService";
    pugi::xml_node port = service.append_child("port");
    port.append_attribute("name") = "OrveskServicePort";
    port.append_attribute("binding") = "tns:OrveskServiceBinding";
    port.append_child("soap:address").append_attribute("location") = endpoint.c_str();

    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return out.str();
}

} // namespace projectsoap
